#include "platform/Program.h"

namespace vk::platform {

std::string programFolder() {
    std::string path = programPath();
    return path.substr(0, path.find_last_of("\\/:") + 1);
}

}  // namespace vk::platform
