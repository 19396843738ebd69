#include "platform/EngineAliases.h"

namespace vk::platform {

// Asking the engine would need its own libraries, which the installer does
// not bind to; without them the lookup finds nothing, as when no engine is
// installed.
std::optional<std::string> engineAliasServerName(std::string_view) { return std::nullopt; }

}  // namespace vk::platform
