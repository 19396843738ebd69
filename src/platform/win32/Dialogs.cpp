#include "platform/Dialogs.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "platform/FileSystem.h"
#include "platform/win32/Com.h"
#include "platform/win32/ShellFolder.h"
#include "platform/win32/SystemFunction.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

namespace {

// Selects the initial folder once the dialog exists; lParam is its path.
int CALLBACK selectInitialFolder(HWND dialog, UINT message, LPARAM, LPARAM initial) {
    if (message == BFFM_INITIALIZED && initial) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, initial);
    return 0;
}

// "Text|*.txt|All|*.*" as the dialog wants it: NUL-separated, closed by two NULs.
std::vector<wchar_t> filterList(std::string_view filter) {
    std::wstring text = win32::wide(filter);
    std::vector<wchar_t> list(text.begin(), text.end());
    for (wchar_t& c : list)
        if (c == L'|') c = L'\0';
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

class SystemChoosers final : public Choosers {
public:
    std::optional<std::string> browseForFolder(std::string_view initial, int rootCsidl) override {
        win32::ComScope com;
        LPITEMIDLIST root = nullptr;
        static const auto folderLocation =
            win32::systemFunction<decltype(SHGetSpecialFolderLocation)>(L"shell32.dll", "SHGetSpecialFolderLocation");
        if (FAILED(folderLocation(nullptr, rootCsidl, &root))) root = nullptr;
        std::unique_ptr<ITEMIDLIST, win32::TaskMemFree> ownedRoot(root);
        std::wstring selection = win32::wide(initial);
        BROWSEINFOW info = {};
        info.hwndOwner = GetActiveWindow();
        info.pidlRoot = root;
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = selectInitialFolder;
        info.lParam = selection.empty() ? 0 : reinterpret_cast<LPARAM>(selection.c_str());
        static const auto browse = win32::systemFunction<decltype(SHBrowseForFolderW)>(L"shell32.dll", "SHBrowseForFolderW");
        std::unique_ptr<ITEMIDLIST, win32::TaskMemFree> chosen(browse(&info));
        if (!chosen) return std::nullopt;
        std::string path = win32::itemPath(chosen.get());
        if (path.empty()) return std::nullopt;
        return path;
    }

    std::optional<std::string> openFile(std::string_view initialPath, std::string_view filter,
                                        std::string_view title) override {
        std::vector<wchar_t> filters = filterList(filter);
        std::wstring caption = win32::wide(title);
        std::wstring initial = win32::wide(initialPath);
        // An initial folder opens the dialog there; an initial file is preselected.
        bool initialIsFolder = directoryExists(initialPath);
        std::vector<wchar_t> file(32 * 1024, L'\0');
        if (!initialIsFolder) initial.copy(file.data(), std::min(initial.size(), file.size() - 1));
        OPENFILENAMEW dialog = {};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = GetActiveWindow();
        dialog.lpstrFilter = filters.data();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.lpstrInitialDir = initialIsFolder ? initial.c_str() : nullptr;
        dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
        dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        static const auto open = win32::systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
        if (!open(&dialog)) return std::nullopt;
        return win32::narrow(file.data());
    }
};

}  // namespace

Choosers& choosers() {
    static SystemChoosers system;
    return system;
}

}  // namespace vk::platform
