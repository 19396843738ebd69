#include "platform/hosted/Machine.h"

#include <algorithm>
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

bool sameTextSafe(const std::string& hostName, const std::string& name) {
    try {
        return sameText(hostName, name);
    } catch (const Error&) {
        return false;  // a host name that is not UTF-8 has no Windows spelling
    }
}

// The entry of folder called name without regard to case; name itself when
// there is none, so that a new file or folder gets the spelling it was given.
fs::path matchChild(const fs::path& folder, const std::string& name) {
    fs::path exact = folder / name;
    std::error_code error;
    if (fs::symlink_status(exact, error).type() != fs::file_type::not_found || !fs::is_directory(folder, error))
        return exact;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (sameTextSafe(it->path().filename().string(), name)) return it->path();
    return exact;
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
    fs::path host = root_;
    if (path.isShare()) {
        for (const auto& name : {std::string("UNC"), path.host, path.share}) host = matchChild(host, name);
    } else {
        host = matchChild(host, std::string(1, path.drive));
    }
    for (const auto& name : path.names) host = matchChild(host, name);
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
