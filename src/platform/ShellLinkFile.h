#pragma once
// The Shell Link Binary file format (.lnk), written the way the shell saves a
// link to a file: a header, LinkInfo with the local base path, and Unicode
// string data (description, working folder, arguments). Portable: the hosted
// platform stores its shortcuts this way and the tools read them.
#include <cstdint>
#include <vector>

#include "platform/ShellLink.h"
#include "platform/Stream.h"

namespace vk::platform {

// The bytes of a .lnk file for the link. Throws Error when a text is too long
// for the format (string data holds at most 65535 UTF-16 units).
std::vector<std::uint8_t> encodeShellLink(const ShellLinkData& link);

// Reads a .lnk file from its start. The target comes from LinkInfo (local base
// path plus common path suffix) or, failing that, from the relative path string.
// Throws Error naming the stream for anything that is not a well-formed link.
ShellLinkData decodeShellLink(Stream& lnk);

}  // namespace vk::platform
