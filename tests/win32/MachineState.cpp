#include "MachineState.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "platform/FileSystem.h"
#include "platform/win32/Wide.h"

namespace vk::test {

namespace {

using platform::win32::narrow;
using platform::win32::wide;

void listFolder(const std::wstring& folder, const std::wstring& skipped, std::vector<std::string>& lines) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (lstrcmpiW(path.c_str(), skipped.c_str()) == 0 || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                continue;
            lines.push_back("folder " + narrow(path));
            listFolder(path, skipped, lines);
        } else {
            const ULONGLONG size = (ULONGLONG(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            lines.push_back("file " + narrow(path) + " " + std::to_string(size));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// "reg export" of key, one line per line of the export; "missing" when the key is.
void exportKey(const std::string& key, std::vector<std::string>& lines) {
    const std::string file = platform::tempFolder() + "VorkastTests-" + std::to_string(GetCurrentProcessId()) + ".reg";
    std::wstring command = L"reg.exe export \"" + wide(key) + L"\" \"" + wide(file) + L"\" /y";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD exitCode = 1;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (exitCode != 0 || !platform::fileExists(file)) {
        lines.push_back("registry " + key + " missing");
        return;
    }
    // The export is UTF-16 with a byte-order mark.
    auto in = platform::openFile(file, platform::FileMode::OpenRead);
    std::wstring text(static_cast<std::size_t>(in->size()) / 2, L'\0');
    in->readExact(text.data(), text.size() * 2);
    in.reset();
    platform::deleteFile(file);
    std::size_t start = text.empty() || text[0] != 0xFEFF ? 0 : 1;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (!line.empty()) lines.push_back("registry " + narrow(line));
        start = end + 1;
    }
}

}  // namespace

MachineState readMachineState(const std::vector<std::string>& profileFoldersToList,
                              const std::vector<std::string>& registryKeys) {
    MachineState state;
    listFolder(L"C:", L"C:\\users", state.lines);
    for (const std::string& folder : profileFoldersToList) listFolder(wide(folder), L"", state.lines);
    std::sort(state.lines.begin(), state.lines.end());
    std::vector<std::string> exported;
    for (const std::string& key : registryKeys) exportKey(key, exported);
    state.lines.insert(state.lines.end(), exported.begin(), exported.end());
    return state;
}

std::string differences(const MachineState& before, const MachineState& after) {
    std::vector<std::string> was = before.lines, is = after.lines;
    std::sort(was.begin(), was.end());
    std::sort(is.begin(), is.end());
    std::vector<std::string> gone, added;
    std::set_difference(was.begin(), was.end(), is.begin(), is.end(), std::back_inserter(gone));
    std::set_difference(is.begin(), is.end(), was.begin(), was.end(), std::back_inserter(added));
    std::string text;
    for (const std::string& line : gone) text += "- " + line + "\n";
    for (const std::string& line : added) text += "+ " + line + "\n";
    return text;
}

}  // namespace vk::test
