#pragma once
// Finding the maker's sibling system Норвал on this computer, by its remote
// workplace (УРМ) or a direct installation, and the question whether to link
// the product to it.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "dbenv/LinkSettings.h"

namespace vk {

// The engine's alias lookup: an alias's SERVER NAME, nullopt when the alias is
// unknown or the engine cannot be asked.
using AliasLookup = std::function<std::optional<std::string>(std::string_view alias)>;

// The engine's own lookup, through the platform.
std::optional<std::string> EngineAliasServerName(std::string_view alias);

// Fills the link's databases, user names, the remote workplace's version and
// the link kind from the registry. Creates no key; reads no password.
void DetectSiblingSystem(LinkSettings& link, const AliasLookup& aliases = EngineAliasServerName);

// The question put to the user when a sibling system was found; nullopt
// when neither way has a database, and nothing is to be asked.
std::optional<std::string> LinkQuestion(const LinkSettings& link);

// Puts the question (an information message with Yes and No); true when the
// user answers Yes. False, with nothing shown, when there is nothing to ask.
bool AskForLink(const LinkSettings& link);

}  // namespace vk
