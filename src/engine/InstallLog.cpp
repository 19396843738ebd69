#include "engine/InstallLog.h"

#include <memory>

#include "datalib/WinUtils.h"
#include "engine/IMDTools.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace vk {

void AddLogEntry(DataSet& log, std::string_view value, std::string_view kind, std::int64_t number) {
    log.append();
    log.field("Value").setString(value);
    log.field("InfType").setString(kind);
    log.field("ValType").setInteger(number);
    log.post();
}

std::string InstallLogPath() { return WindowsDir() + "VksUnSt.trs"; }

namespace {

void registerUninstaller(std::string_view productCaption, std::string_view installFolder) {
    std::unique_ptr<platform::RegistryKey> key =
        platform::openRegistryKey(platform::RootKey::LocalMachine, kUninstallKey, true);
    if (!key) return;  // no rights: the log is still written
    key->writeString("DisplayName", productCaption);
    key->writeString("DisplayIcon", std::string(installFolder) + "\\Vorkast.exe");
    key->writeString("UninstallString", WindowsDir() + "VksUnSt.exe REMOVE");
}

}  // namespace

void RegisterUninstallAndSaveLog(DataSet& log, std::string_view productCaption, std::string_view installFolder) {
    registerUninstaller(productCaption, installFolder);
    const std::string path = InstallLogPath();
    AddLogEntry(log, path, logkind::File, 0);

    // An entry that cannot be stored would leave its file behind at removal
    // without anyone knowing: the others are saved, then the loss is reported.
    // Written in memory first: the writer's many small writes would each be a
    // system call on the file.
    std::string lost;
    MemoryStream image(path);
    SaveDataSetToStream(&log, &image, [&](const std::string& error) {
        if (!error.empty() && lost.empty()) lost = error;
        return true;
    });
    platform::openFile(path, platform::FileMode::Create)->write(image.bytes().data(), image.bytes().size());
    if (!lost.empty()) throw Error("Не все записи журнала установки сохранены в " + path + ": " + lost);
}

}  // namespace vk
