#include "engine/InstallLog.h"

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "datalib/StaticSet.h"
#include "datalib/WinUtils.h"
#include "engine/IMDTools.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace vk {

void defineLog(TStaticSet& set) {
    set.close();
    set.clearFields();
    set.setName("ssLog");
    set.setIndexFieldNames("");
    for (const InstallLogField& field : logfield::InOrder)
        set.addField({std::string(field.name), field.type, field.size, false});
}

void AddLogEntry(DataSet& log, std::string_view value, std::string_view kind, std::int64_t number) {
    log.append();
    log.field(logfield::Value.name).setString(value);
    log.field(logfield::InfType.name).setString(kind);
    log.field(logfield::ValType.name).setInteger(number);
    log.post();
}

std::string InstallLogPath() { return WindowsDir() + std::string(kInstallLogName); }
std::string PendingLogPath() { return WindowsDir() + std::string(kPendingLogName); }

namespace {

bool registerUninstaller(std::string_view productCaption, std::string_view installFolder) {
    std::unique_ptr<platform::RegistryKey> key =
        platform::openRegistryKey(platform::RootKey::LocalMachine, kUninstallKey, true);
    if (!key) return false;  // no rights: the log is still written
    // All three are tried: each one written helps the user find the uninstaller.
    const bool name = key->writeString("DisplayName", productCaption);
    const bool icon = key->writeString("DisplayIcon", std::string(installFolder) + "\\Vorkast.exe");
    const bool command = key->writeString("UninstallString", WindowsDir() + std::string(kUninstallerName) + " " +
                                                                 std::string(kUninstallArgument));
    return name && icon && command;
}

// The kinds of entry that name something the uninstaller removes or
// unregisters; the first three entries describe a run, not what it made.
bool namesSomethingInstalled(std::string_view kind) {
    return kind == logkind::File || kind == logkind::Folder || kind == logkind::Shortcut || kind == logkind::OcxReg ||
           kind == logkind::SrvReg;
}

using NamedEntries = std::set<std::pair<std::string, std::string>>;  // kind, value in upper case

void markNamed(NamedEntries& named, const InstallLogEntry& entry) { named.insert({entry.kind, ansiUpper(entry.value)}); }

NamedEntries namedIn(DataSet& log) {
    NamedEntries named;
    const int value = log.field(logfield::Value.name).index(), kind = log.field(logfield::InfType.name).index();
    for (log.first(); !log.eof(); log.next()) markNamed(named, {log.asString(kind), log.asString(value)});
    return named;
}

// The entries of the earlier log at path that are not named yet (by kind and
// value, without regard to case) and whose file or folder is still there;
// they are named from then on. A damaged earlier log carries nothing.
std::vector<InstallLogEntry> entriesToCarry(const std::string& path, NamedEntries& named) {
    if (!platform::fileExists(path)) return {};
    std::vector<InstallLogEntry> carried;
    try {
        TTransporter earlier;
        earlier.OpenStream(platform::openFile(path, platform::FileMode::OpenRead));
        const int earlierValue = earlier.field(logfield::Value.name).index(),
                  earlierKind = earlier.field(logfield::InfType.name).index(),
                  earlierNumber = earlier.field(logfield::ValType.name).index();
        for (; !earlier.eof(); earlier.next()) {
            InstallLogEntry entry{earlier.asString(earlierKind), earlier.asString(earlierValue),
                                  earlier.asInteger(earlierNumber)};
            if (namesSomethingInstalled(entry.kind) && !named.count({entry.kind, ansiUpper(entry.value)}) &&
                platform::fileAttributes(entry.value))
                carried.push_back(std::move(entry));
        }
    } catch (const Error&) {
        return {};
    }
    for (const InstallLogEntry& entry : carried) markNamed(named, entry);
    return carried;
}

// Saves log as a transport stream at path, replacing the file there only once
// the new one is complete on the disk. An entry that cannot be stored would
// leave its file behind at removal without anyone knowing: the others are
// saved, then the loss is reported.
void saveLog(DataSet& log, const std::string& path) {
    std::string lost;
    // Written in memory first: the writer's many small writes would each be a
    // system call on the file.
    MemoryStream image(path);
    SaveDataSetToStream(&log, &image, [&](const std::string& error) {
        if (!error.empty() && lost.empty()) lost = error;
        return true;
    });
    platform::replaceFile(path, [&](Stream& out) { out.write(image.bytes().data(), image.bytes().size()); });
    if (!lost.empty()) throw Error("Не все записи журнала установки сохранены в " + path + ": " + lost);
}

}  // namespace

void SavePendingLog(const std::vector<InstallLogEntry>& entries) {
    TStaticSet pending;
    defineLog(pending);
    pending.open();
    NamedEntries named;
    for (const InstallLogEntry& entry : entries) {
        AddLogEntry(pending, entry.value, entry.kind, entry.number);
        markNamed(named, entry);
    }
    const std::string path = PendingLogPath();
    for (const InstallLogEntry& entry : entriesToCarry(path, named))
        AddLogEntry(pending, entry.value, entry.kind, entry.number);
    if (pending.recordCount() > 0) saveLog(pending, path);
}

bool RegisterUninstallAndSaveLog(DataSet& log, std::string_view productCaption, std::string_view installFolder) {
    const bool registered = registerUninstaller(productCaption, installFolder);
    const std::string path = InstallLogPath(), pendingPath = PendingLogPath();
    NamedEntries named = namedIn(log);
    markNamed(named, {logkind::File, path});
    for (const std::string& earlier : {path, pendingPath})
        for (const InstallLogEntry& entry : entriesToCarry(earlier, named))
            AddLogEntry(log, entry.value, entry.kind, entry.number);
    AddLogEntry(log, path, logkind::File, 0);
    // The uninstall entry may already point at the earlier log: it stays whole until the new one is.
    saveLog(log, path);
    platform::deleteFile(pendingPath);
    return registered;
}

}  // namespace vk
