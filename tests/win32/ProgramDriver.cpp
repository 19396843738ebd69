#include "ProgramDriver.h"

#include <chrono>

#include "forms/MessageDlg.h"
#include "platform/win32/Wide.h"
#include "view/WindowNames.h"

namespace vk::test {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(60);

struct WindowSearch {
    DWORD process;
    bool messageDialog;  // only the form kit's message dialogs, else any window
    HWND found = nullptr;
};

bool isMessageDialog(HWND window) {
    const std::string name = view::windowName(window);
    return name == forms::kMessageDialogName || name == forms::kErrorReportName;
}

BOOL CALLBACK findProcessWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window) || (search->messageDialog && !isMessageDialog(window)))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM parameter) {
    wchar_t childClass[16] = {};
    GetClassNameW(child, childClass, 16);
    wchar_t text[4096] = {};
    if (lstrcmpiW(childClass, L"Static") == 0 && GetWindowTextW(child, text, 4096) > 0)
        *reinterpret_cast<std::wstring*>(parameter) += text;
    return TRUE;
}

struct ChildSearch {
    std::string name;
    HWND found = nullptr;
};

BOOL CALLBACK findNamedChild(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    if (view::windowName(child) != search->name) return TRUE;
    search->found = child;
    return FALSE;
}

HWND namedChild(HWND window, const std::string& name) {
    ChildSearch search{name};
    EnumChildWindows(window, findNamedChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The program's window (or message dialog) once it is up, or nullptr when the
// program ended or the time ran out. Polled: the window is another process's.
HWND awaitWindow(const PROCESS_INFORMATION& process, bool messageDialog, HWND previous) {
    for (const auto deadline = Clock::now() + kPatience; Clock::now() < deadline;) {
        WindowSearch search{process.dwProcessId, messageDialog};
        EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found && search.found != previous) return search.found;
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

std::string staticTextOf(HWND window) {
    std::wstring text;
    EnumChildWindows(window, collectStaticText, reinterpret_cast<LPARAM>(&text));
    return platform::win32::narrow(text);
}

bool start(const std::string& commandLine, PROCESS_INFORMATION& process) {
    std::wstring command = platform::win32::wide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
}

void awaitEnd(PROCESS_INFORMATION& process, ProgramRun& run) {
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(kPatience / std::chrono::milliseconds(1))) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 255);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

ProgramRun runAnswering(const std::string& commandLine, const std::vector<std::string>& answers) {
    ProgramRun run;
    PROCESS_INFORMATION process{};
    if (!start(commandLine, process)) return run;
    HWND previous = nullptr;
    for (const std::string& answer : answers) {
        HWND dialog = awaitWindow(process, true, previous);
        if (!dialog) break;
        wchar_t text[4096] = {};
        GetWindowTextW(namedChild(dialog, "Message"), text, 4096);
        run.messages.push_back(platform::win32::narrow(text));
        HWND button = namedChild(dialog, answer);
        if (!button) break;
        PostMessageW(button, BM_CLICK, 0, 0);
        previous = dialog;
    }
    awaitEnd(process, run);
    return run;
}

ProgramRun runClosingWithEsc(const std::string& commandLine) {
    ProgramRun run;
    PROCESS_INFORMATION process{};
    if (!start(commandLine, process)) return run;
    if (HWND window = awaitWindow(process, false, nullptr)) {
        wchar_t caption[256] = {};
        GetWindowTextW(window, caption, 256);
        run.messages.push_back(platform::win32::narrow(caption));
        run.messages.push_back(staticTextOf(window));
        PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    awaitEnd(process, run);
    return run;
}

}  // namespace vk::test
