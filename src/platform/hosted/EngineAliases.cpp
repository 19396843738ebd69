// The engine's aliases of a hosted machine: the [EngineAliases] of its machine.ini.
#include "platform/EngineAliases.h"

#include "platform/Text.h"
#include "platform/hosted/Machine.h"

namespace vk::platform {

std::optional<std::string> engineAliasServerName(std::string_view alias) {
    auto machine = hosted::selectedMachine();
    if (!machine) return std::nullopt;
    for (const auto& [name, serverName] : machine->config().engineAliases)
        if (sameText(name, alias)) return serverName;
    return std::nullopt;
}

}  // namespace vk::platform
