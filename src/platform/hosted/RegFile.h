#pragma once
// The registry's file form: the text that regedit exports ("Windows Registry
// Editor Version 5.00", [key] sections, "name"="value" lines), in UTF-8.
// String values are written as quoted text, or as hex(1) when they hold a
// line break or another control character that a quoted line cannot carry;
// other value types are kept as their .reg data.
#include <string>
#include <string_view>

#include "platform/hosted/RegistryTree.h"

namespace vk::platform::hosted {

// Throws Error "<fileName>, line N: <what is wrong>" for text it does not understand.
RegistryTree parseRegFile(std::string_view text, const std::string& fileName);
std::string formatRegFile(const RegistryTree& tree);

// Whether a key or value name can be stored: UTF-8 without control characters.
bool isStorableName(std::string_view name);
// Whether a string value can be stored: UTF-8.
bool isStorableText(std::string_view text);

}  // namespace vk::platform::hosted
