#include "platform/FileSystem.h"

#include <optional>
#include <tuple>
#include <vector>

#include "platform/win32/Wide.h"

namespace vk::platform {

namespace {

// Calls a GetXxxDirectory-style function that fills a buffer and returns the
// length it needs when the buffer is too small; empty on failure.
template <class Fill>
std::string systemString(Fill fill) {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        UINT length = fill(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return win32::narrow(std::wstring_view(buffer.data(), length));
        buffer.resize(length + 1);
    }
}

bool isDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

}  // namespace

std::string windowsFolder() {
    return systemString([](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

std::string systemFolder() {
    return systemString([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

std::string tempFolder() {
    return systemString([](wchar_t* buffer, UINT size) { return UINT(GetTempPathW(size, buffer)); });
}

std::string currentFolder() {
    return systemString([](wchar_t* buffer, UINT size) { return UINT(GetCurrentDirectoryW(size, buffer)); });
}

std::string computerName() {
    wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(buffer, &length)) return {};
    return win32::narrow(std::wstring_view(buffer, length));
}

std::optional<std::uint32_t> fileAttributes(std::string_view path) {
    DWORD attributes = GetFileAttributesW(win32::wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool fileExists(std::string_view path) {
    auto attributes = fileAttributes(path);
    return attributes && !(*attributes & kAttrDirectory);
}

bool directoryExists(std::string_view path) {
    auto attributes = fileAttributes(path);
    return attributes && (*attributes & kAttrDirectory);
}

bool createDirectory(std::string_view path) { return CreateDirectoryW(win32::wide(path).c_str(), nullptr); }

bool deleteFile(std::string_view path) { return DeleteFileW(win32::wide(path).c_str()); }

bool removeDirectory(std::string_view path) { return RemoveDirectoryW(win32::wide(path).c_str()); }

bool copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    return CopyFileW(win32::wide(from).c_str(), win32::wide(to).c_str(), failIfExists);
}

bool sameFile(std::string_view a, std::string_view b) {
    // The volume and the file's index identify a file whatever the path.
    auto identity = [](std::string_view path) -> std::optional<std::tuple<DWORD, DWORD, DWORD>> {
        HANDLE file = CreateFileW(win32::wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::nullopt;
        BY_HANDLE_FILE_INFORMATION info;
        const bool known = GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        if (!known) return std::nullopt;
        return std::tuple{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    };
    auto first = identity(a);
    return first && first == identity(b);
}

std::vector<FoundFile> findFiles(std::string_view pattern) {
    std::vector<FoundFile> found;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(win32::wide(pattern).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (isDotEntry(entry.cFileName)) continue;
        found.push_back({win32::narrow(entry.cFileName), entry.dwFileAttributes,
                         (std::uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow});
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

bool setCurrentFolder(std::string_view path) { return SetCurrentDirectoryW(win32::wide(path).c_str()); }

}  // namespace vk::platform
