#include "Commands.h"

#include "Description.h"
#include "../JsonText.h"
#include "datalib/FileStorage.h"
#include "dbenv/ConnectionSets.h"
#include "datalib/WholeFile.h"
#include "platform/CompoundFile.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/StructuredStorage.h"

namespace vk::dbx {

namespace {

std::unique_ptr<platform::StructuredStorage> openExisting(const std::string& file) {
    auto storage = platform::openStorage(file, platform::StorageAccess::Read);
    if (!storage) throw Error(file + ": the file does not exist");
    return storage;
}

using tools::jsonString;

// One value as dump shows it; memos by size unless asked for in full.
std::string shownValue(TStaticSet& set, int field, const DumpOptions& options) {
    const FieldDef& def = set.fieldDefs()[static_cast<std::size_t>(field)];
    if (set.isNull(field)) return options.json ? "null" : "";
    bool memo = isBlobType(def.type);
    bool number = def.type == FieldType::Integer || def.type == FieldType::AutoInc;
    if (memo && !options.fullMemos) {
        std::size_t size = static_cast<std::size_t>(set.openBlob(field)->size());
        return options.json ? "{\"size\": " + std::to_string(size) + "}" : "<" + std::to_string(size) + " bytes>";
    }
    std::string text = set.asString(field);
    if (!options.json) return memo ? jsonString(text) : text;
    return number ? text : jsonString(text);
}

void dumpSet(TStaticSet& set, const DumpOptions& options, std::ostream& out, bool last) {
    const auto& defs = set.fieldDefs();
    if (options.json) {
        out << "  " << jsonString(set.name()) << ": [";
        bool firstRow = true;
        for (set.first(); !set.eof(); set.next()) {
            out << (firstRow ? "\n    {" : ",\n    {");
            firstRow = false;
            for (std::size_t i = 0; i < defs.size(); ++i)
                out << (i ? ", " : "") << jsonString(defs[i].name) << ": " << shownValue(set, static_cast<int>(i), options);
            out << "}";
        }
        out << (firstRow ? "]" : "\n  ]") << (last ? "\n" : ",\n");
        return;
    }
    out << set.name() << " (" << set.recordCount() << " rows)\n";
    for (std::size_t i = 0; i < defs.size(); ++i) out << (i ? "\t" : "  ") << defs[i].name;
    out << "\n";
    for (set.first(); !set.eof(); set.next()) {
        for (std::size_t i = 0; i < defs.size(); ++i)
            out << (i ? "\t" : "  ") << shownValue(set, static_cast<int>(i), options);
        out << "\n";
    }
}

void appendRow(Section::Kind kind, TStaticSet& set, const std::vector<std::string>& fields) {
    set.append();
    switch (kind) {
        case Section::Kind::DBParams:
            set.field("ConnectNo").setInteger(std::stoll(fields[0]));
            set.field("Name").setString(fields[1]);
            set.field("Value").setString(fields[2]);
            break;
        case Section::Kind::SysParams:
            set.field("Name").setString(fields[0]);
            set.field("Value").setString(fields[1]);
            break;
        case Section::Kind::Updates:
            set.field("OrderNo").setInteger(std::stoll(fields[0]));
            set.field("Name").setString(fields[1]);
            set.field("Info").setString(fields[2]);
            break;
        case Section::Kind::Raw:
            break;
    }
    set.post();
}

void defineFor(Section::Kind kind, TStaticSet& set) {
    if (kind == Section::Kind::DBParams) defineDBParams(set);
    else if (kind == Section::Kind::SysParams) defineSysParams(set);
    else defineUpdates(set);
}

}  // namespace

void listStreams(const std::string& file, std::ostream& out) {
    for (const platform::StorageElement& element : openExisting(file)->elements()) {
        if (element.isStorage) out << "<storage>\t" << element.name << "\n";
        else out << element.size << "\t" << element.name << "\n";
    }
}

void dumpTables(const std::string& file, const DumpOptions& options, std::ostream& out) {
    openExisting(file).reset();  // a missing file is an error here, not an empty dump
    ConnectionSets sets;
    TFileStorage storage;
    storage.setReadOnly(true);
    storage.setFileName(file);
    sets.attachTo(&storage);
    storage.loadSets();
    if (options.json) out << "{\n";
    dumpSet(sets.dbParams, options, out, false);
    dumpSet(sets.sysParams, options, out, false);
    dumpSet(sets.updates, options, out, true);
    if (options.json) out << "}\n";
    storage.setFileName({});
}

// Laid out by our own compound-file writer on every system, so that a file
// built on Windows is byte for byte the one built elsewhere (the system's
// structured storage would arrange it its own way).
void buildFile(const std::string& description, const std::string& file) {
    std::vector<Section> sections = parseDescription(readFileText(description), description);

    platform::CompoundFile compound;
    for (const Section& section : sections) {
        platform::CompoundEntry& entry = platform::CompoundFile::createStream(compound.root(), toUtf16(section.streamName));
        if (section.kind == Section::Kind::Raw) {
            entry.data.assign(section.rows[0][0].begin(), section.rows[0][0].end());
            continue;
        }
        TStaticSet set;
        defineFor(section.kind, set);
        set.open();
        for (const auto& row : section.rows) appendRow(section.kind, set, row);
        MemoryStream stream;
        set.saveToStream(stream);
        entry.data = std::move(stream.bytes());
    }
    const std::vector<std::uint8_t> bytes = compound.serialize();
    writeFileReplacing(file, [&](Stream& out) { out.write(bytes.data(), bytes.size()); });
}

}  // namespace vk::dbx
