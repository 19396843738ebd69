#pragma once
// The text description from which `dbx build` makes a connection file (see
// docs/dbx.md): sections of rows for the wizard's three tables and raw streams.
#include <cstdint>
#include <string>
#include <vector>

namespace vk::dbx {

struct Section {
    enum class Kind { DBParams, SysParams, Updates, Raw };
    Kind kind;
    std::string streamName;
    // Table rows, split into their fields (UTF-8); a raw stream's bytes in rows[0][0].
    std::vector<std::vector<std::string>> rows;
    // The description's line of each table row, for messages about it.
    std::vector<int> lines;
};

// Throws Error naming descriptionName and the line for anything malformed.
std::vector<Section> parseDescription(const std::string& text, const std::string& descriptionName);

}  // namespace vk::dbx
