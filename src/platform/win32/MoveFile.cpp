#include "platform/FileSystem.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

bool moveFile(std::string_view from, std::string_view to) {
    return MoveFileExW(win32::wide(from).c_str(), win32::wide(to).c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace vk::platform
