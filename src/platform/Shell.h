#pragma once
// Handing a document to the shell, as a double click in Explorer would.
#include <string_view>

namespace vk::platform {

// ShellExecute with the verb "open", no parameters, no working folder and
// show state 0; false when the shell could not open it. The hosted machine
// opens nothing (as it starts no program) and returns false.
bool shellOpen(std::string_view file);

}  // namespace vk::platform
