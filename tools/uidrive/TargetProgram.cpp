#include "TargetProgram.h"

#include <psapi.h>

#include <algorithm>

#include "ProcessTimes.h"
#include "platform/Error.h"
#include "platform/win32/Wide.h"

namespace vk::uidrive {

namespace {

// One argument as the C runtime's parser reads it back.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes * 2, L'\\');
    return text + L"\"";
}

struct Search {
    DWORD process;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process && IsWindowVisible(window)) search.windows.push_back(window);
    return TRUE;
}

}  // namespace

TargetProgram::TargetProgram(const std::string& program, const std::vector<std::string>& arguments) {
    // The driver's own window calls are readied before the program starts:
    // under Wine a process's first one connects it to the display, some 35 ms
    // the program would otherwise spend waiting for the driver's first look.
    GetDesktopWindow();
    std::wstring commandLine = quoted(platform::win32::wide(program));
    for (const std::string& argument : arguments) commandLine += L" " + quoted(platform::win32::wide(argument));
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    // Suspended until it is in the job, so that the job sees every process it starts.
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &info))
        throw Error("cannot start " + program + ": " + platform::win32::systemMessage(GetLastError()));
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    try {
        started_.watch(process_, id_);
    } catch (...) {
        TerminateProcess(process_, 3);
        CloseHandle(info.hThread);
        CloseHandle(process_);
        throw;
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
}

TargetProgram::~TargetProgram() { CloseHandle(process_); }

int TargetProgram::waitForExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

long long TargetProgram::lifetimeMs() const {
    FILETIME created, exited, kernel, user;
    if (!ended() || !GetProcessTimes(process_, &created, &exited, &kernel, &user)) return 0;
    return millisecondsBetween(created, exited);
}

void TargetProgram::terminate() const {
    TerminateProcess(process_, 3);
    WaitForSingleObject(process_, 5000);
}

void TargetProgram::notePeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!ended() && GetProcessMemoryInfo(process_, &counters, sizeof(counters)))
        peakWorkingSet_ = std::max(peakWorkingSet_, counters.PeakWorkingSetSize);
}

std::vector<HWND> TargetProgram::windows() const {
    Search search{id_, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

}  // namespace vk::uidrive
