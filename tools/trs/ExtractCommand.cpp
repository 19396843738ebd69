// trs extract [--manifest M] FILE DIR: every record's file, expanded, into DIR.
#include <sstream>
#include <set>

#include "Commands.h"
#include "HostFile.h"
#include "Manifest.h"
#include "PayloadSource.h"
#include "platform/FileSystem.h"
#include "datalib/Szdd.h"
#include "engine/Payload.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk::trs {

namespace {

int requiredField(TTransporter& t, const char* name, const std::string& file) {
    const int index = t.fieldIndex(name);
    if (index < 0) throw Error(file + ": not a payload: it has no field " + name);
    return index;
}

// The records as manifest entries, every name checked before anything is written.
std::vector<ManifestEntry> checkedEntries(TTransporter& t, const std::string& file, const std::filesystem::path& dir) {
    const int name = requiredField(t, payload::kFileName, file);
    const int kind = t.fieldIndex(payload::kFileKind);
    const int index = t.fieldIndex(payload::kIndex);
    std::vector<ManifestEntry> entries;
    std::set<std::string> seen;
    int number = 0;
    for (t.first(); !t.eof(); t.next()) {
        ManifestEntry e;
        e.name = t.asString(name);
        e.where = file + ": record " + std::to_string(++number) + " \"" + e.name + "\"";
        if (auto reason = payload::unsafeFileNameReason(e.name); !reason.empty())
            throw Error(e.where + ": the file name is refused: " + reason);
        if (!seen.insert(ansiUpper(e.name)).second) throw Error(e.where + ": the file name occurs twice");
        if (kind >= 0) e.kind = static_cast<std::int32_t>(t.asInteger(kind));
        if (index >= 0 && !t.isNull(index)) e.index = static_cast<std::int16_t>(t.asInteger(index));
        e.source = dir / hostPath(e.name);
        entries.push_back(std::move(e));
    }
    return entries;
}

}  // namespace

int extractCommand(const Args& args, std::ostream& out) {
    const bool withManifest = !args.empty() && args[0] == "--manifest";
    if (args.size() != (withManifest ? 4u : 2u)) throw UsageError{"extract takes [--manifest M] FILE DIR"};
    const auto file = hostPath(args[args.size() - 2]);
    const auto dir = hostPath(args.back());

    TTransporter table;
    openTransport(table, file);
    const auto entries = checkedEntries(table, displayPath(file), dir);
    const int data = requiredField(table, payload::kData, displayPath(file));

    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) throw Error(displayPath(dir) + ": cannot create the folder: " + ec.message());
    std::size_t number = 0;
    for (table.first(); !table.eof(); table.next(), ++number) {
        const ManifestEntry& entry = entries[number];
        try {
            auto blob = table.openBlob(data);
            platform::replaceFile(displayPath(entry.source), [&](Stream& target) { expandOrCopy(*blob, target); });
        } catch (const Error& e) {
            throw Error(entry.where + ": " + e.what());
        }
        out << entry.name << "\n";
    }
    if (withManifest) {
        const auto manifest = hostPath(args[1]);
        platform::replaceFile(displayPath(manifest), [&](Stream& target) {
            std::ostringstream text;
            writeManifest(text, entries, manifest.parent_path());
            const std::string bytes = text.str();
            target.write(bytes.data(), bytes.size());
        });
    }
    return 0;
}

}  // namespace vk::trs
