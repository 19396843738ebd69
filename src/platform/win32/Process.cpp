#include "platform/Process.h"

#include <string>

#include "platform/win32/Wide.h"

namespace vk::platform {

std::optional<std::uint32_t> startProcess(std::string_view commandLine, std::string_view currentFolder,
                                          Wait wait) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring command = win32::wide(commandLine);
    std::wstring folder = win32::wide(currentFolder);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return std::nullopt;
    CloseHandle(process.hThread);
    DWORD exitCode = 0;
    if (wait == Wait::Forever) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
    }
    CloseHandle(process.hProcess);
    return exitCode;
}

}  // namespace vk::platform
