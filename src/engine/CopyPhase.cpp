#include "engine/CopyPhase.h"

#include <string>
#include <vector>

#include "datalib/Paths.h"
#include "datalib/Szdd.h"
#include "datalib/WinUtils.h"
#include "engine/IMDTools.h"
#include "engine/InstallLog.h"
#include "engine/Payload.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace vk {

namespace {

constexpr const char* kRuntimeSystemPackages[] = {"Kerno1.bpl", "Kerno2.bpl"};
constexpr const char* kRuntimeProgramPackages[] = {"Luvak1.bpl", "Luvak2.bpl", "Luvak3.bpl"};

// The name a record installs under: a kind 256 record's "!" and variant digit are not part of it.
std::string installedName(const std::string& stored) {
    if (stored.size() < 2 || stored[0] != '!' || utf8CharCount(stored) <= 2) return stored;
    return stored.substr(1 + utf8CharLength(static_cast<unsigned char>(stored[1])));
}

// A payload name must name a file inside its folder: the temporary file takes
// the name as stored, the destination the name without its variant prefix.
void checkPayloadName(const std::string& stored, const std::string& name) {
    for (const std::string* checked : {&stored, &name})
        if (std::string reason = payload::unsafeFileNameReason(*checked); !reason.empty())
            throw Error("Недопустимое имя файла в пакете установки \"" + stored + "\": " + reason);
}

class CopyPhase {
public:
    CopyPhase(const InstallJob& job, const ProgressSender& progress)
        : job_(job), progress_(progress), windowsDir_(WindowsDir()), systemDir_(SystemDir()) {}

    void run() {
        progress_.status(psCopying);
        // A damaged payload is refused before anything on the machine changes.
        std::unique_ptr<Stream> payload = job_.OpenPayload ? job_.OpenPayload() : nullptr;
        if (payload && job_.PayloadCheck) payload::verify(*payload, *job_.PayloadCheck);
        // Nothing passes through the temporary folder, but the phase copies
        // only where it can be made: without it the phase ends here, copying nothing.
        const std::string tempFolder = TempDir() + "Vorkast";
        deleteRuntimePackages();
        if (!ForceDir(tempFolder)) return;

        TTransporter table;
        table.OpenStream(std::move(payload));
        const int nameField = table.field(payload::kFileName).index();
        const int kindField = table.field(payload::kFileKind).index();
        const int indexField = table.field(payload::kIndex).index();
        const int dataField = table.field(payload::kData).index();
        // Each record with its name as stored, its kind and whether this installation takes it.
        const auto forEachRecord = [&](const auto& visit) {
            for (table.first(); !table.eof(); table.next()) {
                const std::string stored = table.asString(nameField);
                const std::int64_t kind = table.asInteger(kindField);
                const std::int32_t configNo =
                    table.isNull(indexField) ? 0 : static_cast<std::int32_t>(table.asInteger(indexField));
                visit(stored, kind, belongsToInstallation(kind, stored, configNo));
            }
        };
        // Every name is checked before anything is written.
        const std::vector<InstallLogEntry> pending = plannedEntries(forEachRecord);
        if (job_.Log) SavePendingLog(pending);

        progress_.range(static_cast<std::uint32_t>(table.recordCount()));
        forEachRecord([&](const std::string& stored, std::int64_t kind, bool belongs) {
            progress_.text(stored);
            if (belongs) install(table, dataField, stored, kind);
            progress_.step();
        });
        for (const std::string& folder : folders_) job_.AddLogEntry(folder, logkind::Folder, 0);
        progress_.endPhase(0);
    }

private:
    void deleteRuntimePackages() const {
        if (job_.PackageFlags & pfSystemPackages)
            for (const char* name : kRuntimeSystemPackages) platform::deleteFile(systemDir_ + name);
        if (job_.PackageFlags & pfPrograms)
            for (const char* name : kRuntimeProgramPackages) platform::deleteFile(systemDir_ + name);
    }

    bool packageHas(std::int64_t bits) const { return (static_cast<std::uint32_t>(bits) & job_.PackageFlags) != 0; }

    bool belongsToInstallation(std::int64_t kind, const std::string& stored, std::int32_t configNo) const {
        const bool server = job_.HasOption(ioServerPart);
        switch (kind) {
        case fkProgram: return server && packageHas(pfPrograms);
        case fkConfiguration:
            return server && job_.HasOption(ioConfigChosen) && job_.IsConfigNoSelected(configNo);
        case fkDatabase: return server && job_.HasOption(ioFilledDatabase) && job_.IsConfigNoSelected(configNo);
        case fkSystemPackage: return server && packageHas(pfSystemPackages);
        case fkBDE: return job_.HasOption(ioBDE);
        case fkDBClient:
            return job_.HasOption(ioIBClient) && job_.HasOption(ioClientPart) && stored.size() > 1 &&
                   stored[0] == '!' &&
                   ((stored[1] == '1' && job_.HasOption(ioFirebird)) || (stored[1] == '2' && job_.HasOption(ioYaffil)));
        case fkCorrection: return packageHas(fkCorrection);
        case fkDocument: return server;
        default: return packageHas(kind);
        }
    }

    // Chosen by the name as stored: only a record named exactly VksUnSt.exe is the uninstaller.
    std::string destinationFolder(std::int64_t kind, const std::string& stored) const {
        switch (kind) {
        case fkConfiguration:
        case fkDatabase: return job_.DataBaseFolder;
        case fkBDE: return job_.BdeFolder;
        case fkDBClient: return systemDir_;
        case fkCorrection: return job_.LocalPath + "\\Корректировки";
        case fkDocument: return job_.LocalPath + (sameText(ExtractFileExt(stored), ".chm") ? "\\Help" : "\\Docs");
        default: return sameText(stored, kUninstallerName) ? windowsDir_ : job_.LocalPath;
        }
    }

    // The folder and those of its parents that do not exist yet, outermost
    // first: the installation creates them all, and the uninstaller may take
    // away only what the log names.
    static std::vector<std::string> missingFolders(const std::string& folder) {
        std::vector<std::string> missing;
        std::string path = ExcludeTrailingBackslash(folder);
        // Up to the root ("C:\", "\\host\share"), which is never created.
        while (path.size() > ExtractFileDrive(path).size() + 1 && !platform::directoryExists(path)) {
            missing.insert(missing.begin(), path);
            std::string parent = ExcludeTrailingBackslash(ExtractFileDir(path));
            if (parent.size() >= path.size()) break;
            path = std::move(parent);
        }
        return missing;
    }

    // What this run is about to create and the folders it will use, saved as
    // the pending log before anything is written: a run cut short leaves no
    // install log, and a rerun would log only the files new to it.
    template <typename ForEachRecord>
    std::vector<InstallLogEntry> plannedEntries(const ForEachRecord& forEachRecord) const {
        std::vector<InstallLogEntry> pending;
        std::vector<std::string> folders;
        const auto createsFile = [&](const std::string& path, std::int64_t kind) {
            if (!platform::fileExists(path)) pending.push_back({logkind::File, path, kind});
        };
        forEachRecord([&](const std::string& stored, std::int64_t kind, bool belongs) {
            if (!belongs) return;
            const std::string folder = destinationFolder(kind, stored), name = installedName(stored);
            checkPayloadName(stored, name);
            noteFolderAndParentsToCreate(folders, folder);
            createsFile(folder + "\\" + name, kind);
            if (kind == fkSystemPackage) createsFile(systemDir_ + name, kind);
        });
        for (const std::string& folder : folders) pending.push_back({logkind::Folder, folder, 0});
        return pending;
    }

    // Before the folder is made: it comes after the parents it needs.
    void noteFolderAndParentsToCreate(std::vector<std::string>& folders, const std::string& folder) const {
        for (const std::string& parent : missingFolders(folder)) noteFolder(folders, parent);
        noteFolder(folders, folder);
    }

    void noteFolder(std::vector<std::string>& folders, const std::string& folder) const {
        // The Windows folder is the system's, however it is spelled: the uninstaller must never remove it.
        if (sameText(ExcludeTrailingBackslash(folder), ExcludeTrailingBackslash(windowsDir_))) return;
        for (const std::string& known : folders)
            if (sameText(known, folder)) return;
        folders.push_back(folder);
    }

    void install(TTransporter& table, int dataField, const std::string& stored, std::int64_t kind) {
        const std::string name = installedName(stored);
        checkPayloadName(stored, name);

        const std::string folder = destinationFolder(kind, stored);
        noteFolderAndParentsToCreate(folders_, folder);
        // Skipping the record would leave an installation without its file
        // that still reports success and registers what is not there.
        if (!ForceDir(folder)) throw Error("Не удалось создать папку \"" + folder + "\" для файла \"" + stored + "\"");

        const std::string destination = folder + "\\" + name;
        const bool existed = platform::fileExists(destination);
        // The compressed bytes are expanded straight from the record's value
        // (the one record in memory), with no temporary file. A failed
        // expansion ends the run and takes its half-written file away: the
        // file on disk would not be the one shipped.
        expandOrCopyToFile(*table.openBlob(dataField), destination);
        if (!existed) job_.AddLogEntry(destination, logkind::File, kind);

        if (kind == fkSystemPackage) copyToSystemFolder(destination, name);
        if (kind == fkCorrection) keepCorrection(destination, name);
    }

    void copyToSystemFolder(const std::string& destination, const std::string& name) const {
        try {
            const std::string systemCopy = systemDir_ + name;
            const bool existed = platform::fileExists(systemCopy);
            CopyFileTo(destination, systemCopy, false);
            if (!existed) job_.AddLogEntry(systemCopy, logkind::File, fkSystemPackage);
        } catch (...) {
            // The program folder's copy stays; the system folder's is a convenience.
        }
    }

    void keepCorrection(const std::string& destination, const std::string& name) const {
        auto data = std::make_unique<MemoryStream>(name);
        data->copyFrom(*platform::openFile(destination, platform::FileMode::OpenRead));
        data->seek(0, SeekOrigin::Begin);
        if (job_.CorrectionFiles) job_.CorrectionFiles->push_back({name, std::move(data)});
    }

    const InstallJob& job_;
    const ProgressSender& progress_;
    const std::string windowsDir_;
    const std::string systemDir_;
    std::vector<std::string> folders_;
};

}  // namespace

void RunCopyPhase(const InstallJob& job, const ProgressSender& progress) { CopyPhase(job, progress).run(); }

}  // namespace vk
