#include "dbenv/ConnectionFiles.h"

#include <cstdio>

#include "datalib/Paths.h"
#include "datalib/StrUtils.h"
#include "datalib/WinUtils.h"
#include "dbenv/RegStrings.h"
#include "forms/FrontEnd.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace vk {

namespace {

constexpr std::string_view kServerName = "SERVER NAME";

// The storage's file name for the length of one operation, cleared on every path.
class OpenedConnection {
public:
    OpenedConnection(ConnectionStorage& storage, const std::string& fileName) : storage_(storage) {
        storage_.FileStorage1.setFileName(fileName);
    }
    ~OpenedConnection() { storage_.FileStorage1.setFileName({}); }
    OpenedConnection(const OpenedConnection&) = delete;
    OpenedConnection& operator=(const OpenedConnection&) = delete;

private:
    ConnectionStorage& storage_;
};

// The value of the configuration connection's SERVER NAME, when the loaded file has one.
std::optional<std::string> configServerName(ConnectionSets& sets) {
    if (!sets.dbParams.findKey({cnConfig, kServerName})) return std::nullopt;
    return sets.dbParams.field("Value").asString();
}

std::string templateName(const std::string& dataBaseFolder, std::int32_t configNo) {
    char name[32];
    std::snprintf(name, sizeof name, "\\Setup%d.dbx", static_cast<int>(configNo));
    return dataBaseFolder + name;
}

// Copies source over target unless both name one file, which the copy would destroy.
void copyUnlessSame(const std::string& source, const std::string& target) {
    if (!platform::sameFile(source, target)) CopyFileTo(source, target, false);
}

void prepareOne(ConnectionStorage& storage, const TConfigInfo& row, const ConnectionChoices& choices,
                const ConnectionFileLog& log) {
    const std::string dbxTemplate = templateName(choices.Naming.DataBaseFolder, row.ConfigNo);
    if (!platform::fileExists(dbxTemplate)) return;
    std::string copy;  // where the finished file went, if anywhere
    {
        OpenedConnection opened(storage, dbxTemplate);
        ConnectionSets& sets = storage.sets;
        storage.FileStorage1.loadSets();
        SetServerName(sets.dbParams, cnData, row.DataDatabase, choices.Naming);
        SetServerName(sets.dbParams, cnConfig, row.ConfigDatabase, choices.Naming);
        if (choices.Link) AddLinkConnection(sets.dbParams, *choices.Link);
        StoreExchangeFolder(sets.sysParams, choices.ExchangeFolder);
        storage.FileStorage1.saveSets();
    }
    if (!row.ConnectionFile.empty()) {
        const std::string folder = choices.LocalPath + "\\Подключения";
        if (ForceDir(folder)) {
            copy = folder + "\\" + row.ConnectionFile;
            copyUnlessSame(dbxTemplate, copy);
            if (log.FileCreated) log.FileCreated(copy);
            if (log.FolderUsed) log.FolderUsed(folder);
        }
    }
    // When the copy is the template itself, it is the finished file: keep it.
    if (copy.empty() || !platform::sameFile(dbxTemplate, copy)) platform::deleteFile(dbxTemplate);
}

}  // namespace

void PrepareConnectionFiles(ConnectionStorage& storage, const ConfigTable& configs, const ConnectionChoices& choices,
                            const ConnectionFileLog& log) {
    const auto& rows = configs.rows();
    for (std::size_t index = 0; index < rows.size(); ++index)
        if (configs.IsConfigSelected(static_cast<int>(index))) prepareOne(storage, rows[index], choices, log);
}

ExistingConnection FindExistingConnection(ConnectionStorage& storage, const std::string& localPath) {
    ExistingConnection found;
    try {
        const std::string dbName = ReadRegString(platform::RootKey::CurrentUser, kProductSettingsKey, "DBName");
        std::string candidate = dbName;
        if (!platform::fileExists(candidate)) candidate = localPath + "\\" + dbName;
        if (!platform::fileExists(candidate)) candidate = localPath + "\\Подключения\\" + dbName;
        if (platform::fileExists(candidate)) {
            found.ConnectionFile = candidate;
            OpenedConnection opened(storage, candidate);
            storage.FileStorage1.loadSets();
            if (auto serverName = configServerName(storage.sets)) {
                const std::string configDatabase = StripLocalHost(*serverName);
                if (platform::fileExists(configDatabase)) {
                    found.ConfigDatabase = configDatabase;
                    found.DatabaseFolder = ExtractFileDir(configDatabase);
                }
            }
            if (storage.sets.sysParams.findKey({"DataExchangeServer"}))
                found.ExchangeFolder = storage.sets.sysParams.field("Value").asString();
        }
    } catch (...) {
        found.DatabaseFolder.clear();  // a damaged file or registry: no existing connection
    }
    try {
        storage.sets.dbParams.close();
    } catch (...) {
        // Closing only drops rows that were read; nothing is lost.
    }
    return found;
}

void btDBXClick(ConnectionStorage& storage, forms::Edit& edDBX, forms::Edit& edConfig) {
    auto chosen = forms::frontEnd().openFile(edDBX.text(), "Файл подключения (*.dbx)|*.dbx", "");
    if (!chosen) return;
    edDBX.setText(*chosen);
    if (!platform::fileExists(*chosen)) return;
    OpenedConnection opened(storage, *chosen);
    storage.FileStorage1.loadSets();
    if (auto serverName = configServerName(storage.sets)) edConfig.setText(StripLocalHost(*serverName));
}

void btConfigClick(forms::Edit& edConfig) {
    if (auto chosen = forms::frontEnd().openFile(edConfig.text(), "Файл базы данных (*.gdb)|*.gdb", ""))
        edConfig.setText(*chosen);
}

std::string ConnectionPageError(std::uint32_t packageFlags, const std::string& edDBX, const std::string& edConfig) {
    if (!(packageFlags & pfUpdateConnection)) return {};
    if (!platform::fileExists(edDBX))
        return edDBX.empty() ? "Файл подключений не указан." : "Указанный файл подключений не найден.";
    if (!platform::fileExists(edConfig))
        return edConfig.empty() ? "Файл базы данных конфигурации не указан."
                                : "Указанный файл базы данных конфигурации не найден.";
    return {};
}

bool ValidateConnectionPage(std::uint32_t packageFlags, const std::string& edDBX, const std::string& edConfig) {
    const std::string error = ConnectionPageError(packageFlags, edDBX, edConfig);
    if (!error.empty()) forms::ShowMessageDlg(error, forms::MsgDlgType::Error, forms::mbOK);
    return error.empty();
}

void RewriteExistingConnection(ConnectionStorage& storage, const std::string& edDBX, const std::string& edConfig,
                               const std::vector<CorrectionRow>& corrections, std::string_view renameRule) {
    if (!platform::fileExists(edDBX)) return;
    const std::string newConfig = RenamedCopyName(edConfig, renameRule);
    copyUnlessSame(edConfig, newConfig);
    const std::string newDbx = RenamedCopyName(edDBX, renameRule);
    copyUnlessSame(edDBX, newDbx);
    WriteRegString(platform::RootKey::CurrentUser, kProductSettingsKey, "DBName", ExtractFileName(newDbx));

    ConnectionSets& sets = storage.sets;
    // Open before loading, so that the save writes every table, the emptied
    // corrections too (a set the load opens is saved only when changed).
    for (TStaticSet* set : {&sets.dbParams, &sets.sysParams, &sets.updates}) set->open();
    OpenedConnection opened(storage, newDbx);
    storage.FileStorage1.loadSets();
    if (auto serverName = configServerName(sets)) {
        std::string value = *serverName;
        ReplaceText(value, edConfig, newConfig);
        sets.dbParams.edit();
        sets.dbParams.field("Value").setString(value);
        sets.dbParams.post();
    }

    sets.updates.emptyTable();
    for (std::size_t index = 0; index < corrections.size(); ++index) {
        sets.updates.append();
        sets.updates.field("OrderNo").setInteger(static_cast<std::int64_t>(index + 1));
        sets.updates.field("Name").setString(corrections[index].Name);
        const std::string& bytes = corrections[index].Bytes;
        sets.updates.openBlobForWrite(sets.updates.fieldIndex("Info"))->write(bytes.data(), bytes.size());
        sets.updates.post();
    }

    UpsertSysParam(sets.sysParams, "Application", kProductCaption);
    if (sets.sysParams.findKey({"DisableUpdates"})) sets.sysParams.remove();

    storage.FileStorage1.saveSets();
}

}  // namespace vk
