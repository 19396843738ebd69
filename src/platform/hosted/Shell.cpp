#include "platform/Shell.h"

namespace vk::platform {

bool shellOpen(std::string_view) { return false; }

}  // namespace vk::platform
