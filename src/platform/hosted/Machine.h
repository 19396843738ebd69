#pragma once
// The selected hosted machine, shared by the hosted platform functions.
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/hosted/MachineConfig.h"
#include "platform/hosted/WindowsPath.h"

namespace vk::platform::hosted {

class RegistryStore;
struct ResolvedPath;

class Machine {
public:
    // Reads root/machine.ini (throws Error for a damaged one) and makes the
    // standard folders that every Windows machine has.
    explicit Machine(std::filesystem::path root);
    ~Machine();

    const std::filesystem::path& root() const { return root_; }
    const MachineConfig& config() const { return config_; }
    RegistryStore& registry() { return *registry_; }

    // The host path of a full Windows path: names that exist are matched
    // without regard to case, the rest are taken as given. The host path of a
    // path's folder is remembered and used again while it is a folder.
    std::filesystem::path hostPath(const WindowsPath& path) const;
    bool mayWrite(const WindowsPath& path) const;
    ResolvedPath resolve(const WindowsPath& path) const;

    std::string currentFolder() const;
    void setCurrentFolder(const WindowsPath& folder);

private:
    std::filesystem::path root_;
    MachineConfig config_;
    std::unique_ptr<RegistryStore> registry_;
    static constexpr std::size_t kKnownFolderLimit = 64;
    mutable std::mutex knownFoldersMutex_;
    mutable std::unordered_map<std::string, std::string> knownFolders_;  // see hostPath
    mutable std::mutex currentFolderMutex_;
    std::string currentFolder_ = "C:\\";
};

// The selected machine; nullptr when paths are host paths used as given.
std::shared_ptr<Machine> selectedMachine();

// A path argument of the platform functions, resolved on the selected machine
// (relative paths against its current folder), or taken as a host path.
struct ResolvedPath {
    std::filesystem::path host;
    std::string shown;              // what messages name: the full Windows path, or the path as given
    std::optional<WindowsPath> windows;  // empty without a machine
    bool writable = true;
};
// Throws Error for a path that names no drive or share on the machine.
ResolvedPath resolvePath(std::string_view path);
// nullopt where resolvePath throws.
std::optional<ResolvedPath> tryResolvePath(std::string_view path);

// The own executable set by useOwnImage (empty until then).
std::filesystem::path ownImagePath();

}  // namespace vk::platform::hosted
