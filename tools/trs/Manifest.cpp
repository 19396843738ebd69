#include "Manifest.h"

#include <charconv>
#include <limits>
#include <set>

#include "HostFile.h"
#include "engine/Payload.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk::trs {

namespace {

constexpr std::int64_t kMaxManifestBytes = 4 * 1024 * 1024;

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> parts(1);
    for (char c : line) {
        if (c == '\t')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

template <typename Int>
std::optional<Int> parseInteger(const std::string& text) {
    Int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

ManifestEntry parseLine(const std::string& line, const std::string& where, const std::filesystem::path& folder) {
    auto fail = [&](const std::string& what) { throw Error(where + ": " + what); };
    const auto parts = splitTabs(line);
    if (parts.size() != 4) fail("expected 4 tab-separated fields (name, kind, index, source), found " +
                                std::to_string(parts.size()));
    ManifestEntry entry;
    entry.where = where;
    entry.name = parts[0];
    if (auto reason = payload::unsafeFileNameReason(entry.name); !reason.empty())
        fail("the name \"" + entry.name + "\" cannot be stored: " + reason);
    std::string stored;
    try {
        stored = toCp1251(entry.name);
    } catch (const Error& e) {
        fail(e.what());
    }
    if (stored.size() > payload::kMaxFileName) fail("the name \"" + entry.name + "\" is longer than 64 characters");
    const auto kind = parseInteger<std::int32_t>(parts[1]);
    if (!kind) fail("the kind \"" + parts[1] + "\" is not an integer");
    entry.kind = *kind;
    if (!parts[2].empty()) {
        const auto index = parseInteger<std::int16_t>(parts[2]);
        if (!index) fail("the index \"" + parts[2] + "\" is not a small integer");
        entry.index = *index;
    }
    if (parts[3].empty()) fail("no source file");
    entry.source = folder / hostPath(parts[3]);
    return entry;
}

}  // namespace

std::vector<ManifestEntry> readManifest(const std::filesystem::path& manifest) {
    auto stream = openForReading(manifest);
    const std::int64_t size = stream->size();
    if (size > kMaxManifestBytes) throw Error(displayPath(manifest) + ": a manifest of " + std::to_string(size) +
                                              " bytes is too large");
    std::string text(static_cast<std::size_t>(size), '\0');
    stream->readExact(text.data(), text.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);

    std::vector<ManifestEntry> entries;
    std::set<std::string> names;
    std::size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) line.pop_back();
        if (line.empty() || line.starts_with('#')) continue;
        const std::string where = displayPath(manifest) + ":" + std::to_string(lineNumber);
        entries.push_back(parseLine(line, where, manifest.parent_path()));
        if (!names.insert(ansiUpper(entries.back().name)).second)
            throw Error(where + ": the name \"" + entries.back().name + "\" is listed twice");
    }
    return entries;
}

void writeManifest(std::ostream& out, const std::vector<ManifestEntry>& entries, const std::filesystem::path& folder) {
    out << "# name\tkind\tindex\tsource\n";
    for (const ManifestEntry& e : entries) {
        std::error_code ec;
        auto source = std::filesystem::proximate(e.source, folder, ec);
        if (ec) source = e.source;
        const std::u8string path = source.generic_u8string();
        out << e.name << '\t' << e.kind << '\t' << (e.index ? std::to_string(*e.index) : "") << '\t'
            << std::string(path.begin(), path.end()) << '\n';
    }
}

}  // namespace vk::trs
