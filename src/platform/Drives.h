#pragma once
// The drives of the machine, as the folder dialog's drive list offers them.
#include <string>
#include <vector>

namespace vk::platform {

// The drives that exist, as "C:" (upper-case letter and colon), in letter
// order (GetLogicalDrives). Empty when the system cannot say.
std::vector<std::string> logicalDrives();

}  // namespace vk::platform
