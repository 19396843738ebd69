#pragma once
// The installed database engine's aliases, as far as the installer asks:
// the SERVER NAME parameter of an alias by its name.
#include <optional>
#include <string>
#include <string_view>

namespace vk::platform {

// nullopt when there is no such alias or the engine cannot be asked. On
// Windows the installer does not carry the engine's programming interface,
// so it finds none; a hosted machine lists aliases in its machine.ini.
std::optional<std::string> engineAliasServerName(std::string_view alias);

}  // namespace vk::platform
