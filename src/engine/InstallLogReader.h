#pragma once
// Reading a saved install log ("VksUnSt.trs") back, for the uninstaller. The
// file is untrusted: a damaged, truncated or foreign one is refused whole, so
// that nothing is removed on the strength of half a log.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Stream.h"

namespace vk {

struct InstallLogEntry {
    InstallLogEntry() = default;
    InstallLogEntry(std::string_view kind, std::string value, std::int64_t number = 0)
        : kind(kind), value(std::move(value)), number(number) {}

    std::string kind;   // InfType: one of logkind
    std::string value;  // Value: a path, or BdeFolder
    std::int64_t number = 0;  // ValType
    bool operator==(const InstallLogEntry&) const = default;
};

// Every entry in the order it was written. Throws Error naming the stream
// (and the record) when the stream is not a transport stream, lacks one of
// the three fields or has it with another type, is shorter than its header
// says, holds an entry kind the installer never writes, or names no
// installation folder (logkind::Target).
std::vector<InstallLogEntry> ReadInstallLog(std::unique_ptr<Stream> stream);

}  // namespace vk
