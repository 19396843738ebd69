#include "platform/win32/ShellFolder.h"

#include "platform/win32/SystemFunction.h"
#include "platform/win32/Wide.h"

namespace vk::platform::win32 {

std::string itemPath(LPCITEMIDLIST list) {
    wchar_t buffer[MAX_PATH + 1] = {};
    static const auto pathOf = systemFunction<decltype(SHGetPathFromIDListW)>(L"shell32.dll", "SHGetPathFromIDListW");
    if (!pathOf(list, buffer)) return {};
    std::wstring path(buffer);
    // Wine answers for some virtual folders with their parsing name
    // ("::{GUID}"), which is no place in the file system.
    if (path.rfind(L"::", 0) == 0) return {};
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return narrow(path);
}

}  // namespace vk::platform::win32
