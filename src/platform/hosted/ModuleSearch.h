#pragma once
// Finding the file of a program or library on the hosted machine as Windows
// does: a bare name is looked for in the current folder, then the system
// and Windows folders; a name without an extension gets defaultExtension.
#include <optional>
#include <string_view>

#include "platform/hosted/Machine.h"

namespace vk::platform::hosted {

// nullopt when no such file exists.
std::optional<ResolvedPath> findModule(const Machine& machine, std::string_view name, std::string_view defaultExtension);

}  // namespace vk::platform::hosted
