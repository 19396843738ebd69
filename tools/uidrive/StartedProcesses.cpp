#include "StartedProcesses.h"

#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/Error.h"
#include "platform/win32/Wide.h"

namespace vk::uidrive {

namespace {

// The completion keys of the port: the job's news, and the packets the
// driver posts itself.
constexpr ULONG_PTR kJobKey = 1;
constexpr ULONG_PTR kMarkKey = 2;
constexpr ULONG_PTR kStopKey = 3;

// How long a new process may take to set up its memory.
constexpr auto kReadTime = std::chrono::seconds(10);

[[noreturn]] void systemFailure(const std::string& what) {
    throw Error(what + ": " + platform::win32::systemMessage(GetLastError()));
}

template <typename T>
bool readRemote(HANDLE process, const void* address, T& value) {
    SIZE_T read = 0;
    return ReadProcessMemory(process, address, &value, sizeof value, &read) && read == sizeof value;
}

// nullopt until the process has set up its parameters. Wine's process sets
// them up itself, after its loader's data may already be there: the text is
// taken once no NUL is left in it (the memory it is copied into starts
// zeroed) and a second read gives the same.
std::optional<std::string> commandLineOf(HANDLE process, const void* peb) {
    if (!peb) return std::nullopt;
    const auto* base = static_cast<const char*>(peb);
    PPEB_LDR_DATA loader = nullptr;
    PRTL_USER_PROCESS_PARAMETERS parameters = nullptr;
    if (!readRemote(process, base + offsetof(PEB, Ldr), loader) || !loader ||
        !readRemote(process, base + offsetof(PEB, ProcessParameters), parameters) || !parameters)
        return std::nullopt;
    UNICODE_STRING line = {};
    if (!readRemote(process, reinterpret_cast<const char*>(parameters) + offsetof(RTL_USER_PROCESS_PARAMETERS, CommandLine),
                    line) ||
        !line.Buffer)
        return std::nullopt;
    const auto readText = [&]() -> std::optional<std::wstring> {
        std::wstring text(line.Length / sizeof(wchar_t), L'\0');
        SIZE_T read = 0;
        if (!ReadProcessMemory(process, line.Buffer, text.data(), text.size() * sizeof(wchar_t), &read) ||
            read != text.size() * sizeof(wchar_t) || text.find(L'\0') != std::wstring::npos)
            return std::nullopt;
        return text;
    };
    const std::optional<std::wstring> first = readText();
    if (!first || readText() != first) return std::nullopt;
    return platform::win32::narrow(std::wstring_view(*first));
}

// Wine shows a process whose first thread has not begun yet as ended, still
// active by its exit code.
bool ended(HANDLE process) {
    DWORD code = STILL_ACTIVE;
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code) &&
           code != STILL_ACTIVE;
}

}  // namespace

StartedProcesses::StartedProcesses() {
    job_ = CreateJobObjectW(nullptr, nullptr);
    if (!job_) systemFailure("cannot make a job object");
    port_ = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    caughtUp_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!port_ || !caughtUp_) {
        const DWORD error = GetLastError();
        closeHandles();
        SetLastError(error);
        systemFailure("cannot make a completion port");
    }
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {};
    association.CompletionKey = reinterpret_cast<PVOID>(kJobKey);
    association.CompletionPort = port_;
    if (!SetInformationJobObject(job_, JobObjectAssociateCompletionPortInformation, &association, sizeof association)) {
        const DWORD error = GetLastError();
        closeHandles();
        SetLastError(error);
        systemFailure("cannot give the job its completion port");
    }
}

StartedProcesses::~StartedProcesses() {
    if (reader_.joinable()) {
        PostQueuedCompletionStatus(port_, 0, kStopKey, nullptr);
        reader_.join();
    }
    closeHandles();
}

// The processes of the job run on: the program started on Exit stays.
void StartedProcesses::closeHandles() {
    for (HANDLE handle : {job_, port_, caughtUp_})
        if (handle) CloseHandle(handle);
}

void StartedProcesses::watch(HANDLE program, DWORD programId) {
    programId_ = programId;
    if (!AssignProcessToJobObject(job_, program)) systemFailure("cannot put the program into a job object");
    reader_ = std::thread([this] { readNews(); });
}

std::vector<std::string> StartedProcesses::take() {
    // The port keeps its order: the reader comes to the mark after every
    // news that was there before it.
    if (reader_.joinable() && !readerEnded_ && PostQueuedCompletionStatus(port_, 0, kMarkKey, nullptr))
        WaitForSingleObject(caughtUp_, INFINITE);
    std::lock_guard lock(mutex_);
    return std::exchange(commandLines_, {});
}

void StartedProcesses::readNews() {
    while (true) {
        DWORD message = 0;
        ULONG_PTR key = 0;
        LPOVERLAPPED detail = nullptr;
        if (!GetQueuedCompletionStatus(port_, &message, &key, &detail, INFINITE) || key == kStopKey) {
            // No reader is left to come to a mark: take() must not wait for one.
            readerEnded_ = true;
            SetEvent(caughtUp_);
            return;
        }
        if (key == kMarkKey) SetEvent(caughtUp_);
        // The job's news carries the process id where a transfer's would be.
        if (key == kJobKey && message == JOB_OBJECT_MSG_NEW_PROCESS)
            noteNewProcess(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(detail)));
    }
}

void StartedProcesses::noteNewProcess(DWORD id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
    if (!process) {
        std::fprintf(stderr, "uidrive: the new process %lu was gone before it could be read\n",
                     static_cast<unsigned long>(id));
        return;
    }
    // A new process sets up its memory as it starts. One that ends first
    // never ran (under Wine, a program it cannot load, as a disabled one).
    bool ran = false;
    // Looked at less and less often, up to every 8 ms: each look costs server
    // round trips, and looking every millisecond slowed the new process's start.
    DWORD poll = 1;
    for (const auto deadline = std::chrono::steady_clock::now() + kReadTime;;) {
        PROCESS_BASIC_INFORMATION info = {};
        if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, nullptr) >= 0) {
            // The program itself, and what its children start, are not its children.
            if (info.InheritedFromUniqueProcessId != programId_) break;
            ran = ran || info.PebBaseAddress;
            if (auto line = commandLineOf(process, info.PebBaseAddress)) {
                std::lock_guard lock(mutex_);
                commandLines_.push_back(std::move(*line));
                break;
            }
        }
        if (ended(process) || std::chrono::steady_clock::now() > deadline) {
            if (ran)
                std::fprintf(stderr, "uidrive: the command line of the new process %lu could not be read\n",
                             static_cast<unsigned long>(id));
            break;
        }
        Sleep(poll);
        poll = std::min<DWORD>(2 * poll, 8);
    }
    CloseHandle(process);
}

}  // namespace vk::uidrive
