#include "engine/InstallLogReader.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/IMDTools.h"
#include "engine/InstallLog.h"
#include "platform/Error.h"

namespace vk {

namespace {

constexpr std::array kKnownKinds{logkind::Target, logkind::BdeDir, logkind::DbDir,  logkind::File,
                                 logkind::Folder, logkind::OcxReg, logkind::SrvReg, logkind::Shortcut};

// The field's position, checked against the type the installer writes.
int requireField(const TTransporter& log, const std::string& stream, const InstallLogField& field) {
    const std::vector<FieldDef>& defs = log.fieldDefs();
    const auto found =
        std::find_if(defs.begin(), defs.end(), [&](const FieldDef& def) { return def.name == field.name; });
    const std::string name(field.name);
    if (found == defs.end()) throw Error(stream + ": no field " + name + ": not an install log");
    if (found->type != field.type)
        throw Error(stream + ": field " + name + " has type code " + std::to_string(static_cast<int>(found->type)) +
                    ", not " + std::to_string(static_cast<int>(field.type)));
    return static_cast<int>(found - defs.begin());
}

}  // namespace

std::vector<InstallLogEntry> ReadInstallLog(std::unique_ptr<Stream> stream) {
    const std::string name = stream ? stream->name() : "install log";
    TTransporter log;
    log.OpenStream(std::move(stream));
    const int value = requireField(log, name, logfield::Value);
    const int number = requireField(log, name, logfield::ValType);
    const int kind = requireField(log, name, logfield::InfType);

    std::vector<InstallLogEntry> entries;
    for (log.first(); !log.eof(); log.next()) {
        const std::string where = name + ": record " + std::to_string(entries.size() + 1);
        if (log.isNull(kind)) throw Error(where + ": an entry without a kind");
        // An empty value (BDEDIR without an engine folder) may be stored as null.
        InstallLogEntry entry{log.asString(kind), log.isNull(value) ? "" : log.asString(value),
                              log.isNull(number) ? 0 : log.asInteger(number)};
        if (std::find(kKnownKinds.begin(), kKnownKinds.end(), entry.kind) == kKnownKinds.end())
            throw Error(where + ": unknown entry kind \"" + entry.kind + "\"");
        entries.push_back(std::move(entry));
    }
    if (entries.size() != static_cast<std::size_t>(log.recordCount()))
        throw Error(name + ": " + std::to_string(entries.size()) + " records where the header promises " +
                    std::to_string(log.recordCount()));
    if (std::none_of(entries.begin(), entries.end(), [](const InstallLogEntry& e) { return e.kind == logkind::Target; }))
        throw Error(name + ": no installation folder (TARGET) in the log");
    return entries;
}

}  // namespace vk
