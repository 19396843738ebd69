#include "platform/SpecialFolders.h"

#include <shlobj.h>

#include "platform/win32/Com.h"
#include "platform/win32/ShellFolder.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

std::string specialFolderPath(int csidl) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) return {};
    std::unique_ptr<ITEMIDLIST, win32::TaskMemFree> owned(list);
    return win32::itemPath(list);
}

}  // namespace vk::platform
