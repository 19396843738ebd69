#include "platform/hosted/Machine.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/hosted/AtomicFile.h"
#include "platform/hosted/HostedMachine.h"
#include "platform/hosted/RegistryStore.h"

namespace vk::platform::hosted {

namespace {

namespace fs = std::filesystem;

struct Selection {
    std::mutex mutex;
    std::shared_ptr<Machine> machine;
    fs::path ownImage;
};

Selection& selection() {
    static Selection instance;
    return instance;
}

MachineConfig readConfig(const fs::path& root) {
    fs::path file = root / "machine.ini";
    std::error_code error;
    if (!fs::exists(file, error)) return parseMachineConfig({}, file.string());
    return parseMachineConfig(readWholeFile(file), file.string());
}

bool sameTextSafe(std::string_view hostName, std::string_view name) {
    try {
        return sameText(hostName, name);
    } catch (const Error&) {
        return false;  // a host name that is not UTF-8 has no Windows spelling
    }
}

// Appends "/name" to the host path of a folder, spelled as the folder's entry
// that matches name without regard to case; as given when there is none, so
// that a new file or folder gets the spelling it was given. Once a name is
// missing, everything under it is too: found turns false and later names are
// appended without asking the disk.
//
// This runs for every path a platform call takes, so it asks the disk as
// little as it can: the exact spelling first (one lstat), and only when that
// is missing a listing of the folder. Case pairs have UTF-8 sequences of the
// same length, so only entries of the name's length are compared.
void appendMatchingChild(std::string& host, const std::string& name, bool& found) {
    const std::size_t folderLength = host.size();
    host += '/';
    host += name;
    if (!found) return;
    struct stat info {};
    if (::lstat(host.c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR)) return;
    const std::string folder = folderLength ? host.substr(0, folderLength) : "/";
    std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    found = false;
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string_view entryName = entry->d_name;
        if (entryName.size() != name.size() || !sameTextSafe(entryName, name)) continue;
        host.replace(folderLength + 1, name.size(), entryName);
        found = true;
        return;
    }
}

}  // namespace

Machine::Machine(fs::path root)
    : root_(std::move(root)),
      config_(readConfig(root_)),
      registry_(std::make_unique<RegistryStore>(root_ / "registry.reg", config_.readOnlyRegistry)) {
    std::vector<std::string> standardFolders = {config_.windowsFolder, config_.systemFolder, config_.tempFolder};
    for (const auto& [csidl, folder] : config_.specialFolders) standardFolders.push_back(folder);
    for (const auto& folder : standardFolders) {
        std::error_code error;
        fs::create_directories(hostPath(*parseWindowsPath(folder, {})), error);
        if (error) throw Error(folder + ": cannot be made on the machine " + root_.string() + ": " + error.message());
    }
}

Machine::~Machine() = default;

fs::path Machine::hostPath(const WindowsPath& path) const {
    // The files of one folder come one after another (an installation copies
    // them so), so the host paths of the folders of recent paths are kept, by
    // the Windows spelling they were asked for. One is used once a stat shows
    // it is still a folder, which spares asking the disk about every name above
    // (a host folder that differs from it in case alone and appears later is
    // not preferred to it: a Windows machine cannot hold both).
    std::string folderKey;
    if (!path.names.empty()) {
        const std::string text = path.text();
        folderKey = text.substr(0, text.size() - path.names.back().size());
        std::string host;
        {
            std::lock_guard lock(knownFoldersMutex_);
            if (auto known = knownFolders_.find(folderKey); known != knownFolders_.end()) host = known->second;
        }
        struct stat info {};
        if (!host.empty() && ::stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            bool found = true;
            appendMatchingChild(host, path.names.back(), found);
            return host;
        }
    }

    std::string host = root_.native();
    if (host.ends_with('/')) host.pop_back();  // the names bring their own separators
    bool found = true;
    if (path.isShare()) {
        for (const auto& name : {std::string("UNC"), path.host, path.share}) appendMatchingChild(host, name, found);
    } else {
        appendMatchingChild(host, std::string(1, path.drive), found);
    }
    for (std::size_t i = 0; i < path.names.size(); ++i) {
        if (i + 1 == path.names.size() && found) {
            std::lock_guard lock(knownFoldersMutex_);
            if (knownFolders_.size() >= kKnownFolderLimit) knownFolders_.clear();
            knownFolders_[folderKey] = host;
        }
        appendMatchingChild(host, path.names[i], found);
    }
    return host;
}

bool Machine::mayWrite(const WindowsPath& path) const {
    return std::none_of(config_.readOnlyFolders.begin(), config_.readOnlyFolders.end(),
                        [&](const WindowsPath& folder) { return path.isWithin(folder); });
}

ResolvedPath Machine::resolve(const WindowsPath& path) const {
    return {hostPath(path), path.text(), path, mayWrite(path)};
}

std::string Machine::currentFolder() const {
    std::lock_guard lock(currentFolderMutex_);
    return currentFolder_;
}

void Machine::setCurrentFolder(const WindowsPath& folder) {
    std::lock_guard lock(currentFolderMutex_);
    currentFolder_ = folder.text();
}

std::shared_ptr<Machine> selectedMachine() {
    std::lock_guard lock(selection().mutex);
    return selection().machine;
}

std::optional<ResolvedPath> tryResolvePath(std::string_view path) {
    auto machine = selectedMachine();
    if (!machine) return ResolvedPath{fs::path(path), std::string(path), std::nullopt, true};
    auto windows = parseWindowsPath(path, machine->currentFolder());
    if (!windows) return std::nullopt;
    return machine->resolve(*windows);
}

ResolvedPath resolvePath(std::string_view path) {
    auto resolved = tryResolvePath(path);
    if (!resolved) throw Error("\"" + std::string(path) + "\" is not a path on this machine: it names no drive or share");
    return *resolved;
}

fs::path ownImagePath() {
    std::lock_guard lock(selection().mutex);
    return selection().ownImage;
}

void useMachine(const fs::path& root) {
    std::error_code error;
    fs::create_directories(root, error);
    if (error) throw Error(root.string() + ": " + error.message());
    auto machine = std::make_shared<Machine>(fs::absolute(root));
    std::lock_guard lock(selection().mutex);
    selection().machine = std::move(machine);
}

void useNoMachine() {
    std::lock_guard lock(selection().mutex);
    selection().machine.reset();
}

fs::path machineFolder() {
    auto machine = selectedMachine();
    return machine ? machine->root() : fs::path();
}

fs::path toHostPath(std::string_view windowsPath) { return resolvePath(windowsPath).host; }

void useOwnImage(const fs::path& peImage) {
    std::lock_guard lock(selection().mutex);
    selection().ownImage = peImage;
}

}  // namespace vk::platform::hosted
