#pragma once
// The pack manifest: a UTF-8 text file, one payload record a line, four
// fields separated by tabs:
//   name<TAB>kind<TAB>index<TAB>source
// name: the stored file name (at most 64 Windows-1251 characters, no folder);
// kind: the FileKind code in decimal; index: a small integer or empty for
// none; source: the file to compress, relative to the manifest's folder.
// Empty lines and lines starting with "#" are skipped.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vk::trs {

struct ManifestEntry {
    std::string name;
    std::int32_t kind = 0;
    std::optional<std::int16_t> index;
    std::filesystem::path source;  // resolved against the manifest's folder
    std::string where;             // "manifest:line" for messages
};

// Throws Error naming the manifest and line for anything malformed.
std::vector<ManifestEntry> readManifest(const std::filesystem::path& manifest);
// Writes entries with their sources relative to the folder the manifest is written in.
void writeManifest(std::ostream& out, const std::vector<ManifestEntry>& entries, const std::filesystem::path& folder);

}  // namespace vk::trs
