#include "uninstaller/SelfDelete.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/win32/Wide.h"

namespace vk::uninstaller {

namespace {

// cmd reads a batch file in the console's (OEM) code page.
std::string oemText(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

bool deleteWhenEnded(const std::wstring& program) {
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, temp)) return false;
    const std::wstring batch = std::wstring(temp) + L"VksUnSt-" + std::to_wstring(GetCurrentProcessId()) + L".cmd";
    const std::string script = oemText(L"@echo off\r\n:retry\r\ndel /f /q \"" + program + L"\" >nul 2>&1\r\nif exist \"" +
                                       program + L"\" goto retry\r\ndel /f /q \"%~f0\"\r\n");
    try {
        platform::openFile(platform::win32::narrow(batch), platform::FileMode::Create)->write(script.data(), script.size());
    } catch (const Error&) {
        return false;
    }
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(system) + L"\\cmd.exe\" /c \"" + batch + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, temp, &startup,
                        &process)) {
        DeleteFileW(batch.c_str());
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace vk::uninstaller
