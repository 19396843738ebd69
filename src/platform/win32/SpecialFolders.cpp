#include "platform/SpecialFolders.h"

#include <shlobj.h>

#include "platform/win32/Com.h"
#include "platform/win32/ShellFolder.h"
#include "platform/win32/SystemFunction.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

std::string specialFolderPath(int csidl) {
    LPITEMIDLIST list = nullptr;
    static const auto folderLocation =
        win32::systemFunction<decltype(SHGetSpecialFolderLocation)>(L"shell32.dll", "SHGetSpecialFolderLocation");
    if (FAILED(folderLocation(nullptr, csidl, &list))) return {};
    std::unique_ptr<ITEMIDLIST, win32::TaskMemFree> owned(list);
    return win32::itemPath(list);
}

}  // namespace vk::platform
