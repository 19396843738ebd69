#pragma once
// The registry of a hosted machine, kept in its registry.reg. The file is
// read on first use and again whenever it changed on the disk since, and
// written anew (atomically) after every change. One mutex serialises all
// access: the installer's worker and window threads share the registry.
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hosted/MachineConfig.h"
#include "platform/hosted/RegistryTree.h"

namespace vk::platform::hosted {

using KeyNames = std::vector<std::string>;

class RegistryStore {
public:
    RegistryStore(std::filesystem::path file, std::vector<RegistryArea> readOnly);

    // A damaged registry.reg throws Error naming the file and line, from every call.
    bool keyExists(RootKey root, const KeyNames& key);
    // nullopt when the key or value is missing or the value is not a string.
    std::optional<std::string> readString(RootKey root, const KeyNames& key, std::string_view name);
    // Makes the key and its missing parents. false when the user may not
    // write there or the file could not be written (nothing changes then).
    bool createKey(RootKey root, const KeyNames& key);
    // false when the key is missing, the user may not write there, the name
    // cannot be stored or the file could not be written (nothing changes then).
    bool writeString(RootKey root, const KeyNames& key, std::string_view name, std::string_view value);
    // Removes the key with everything under it; true also when it was missing.
    // false when the user may not write there or the file could not be
    // written (nothing changes then).
    bool deleteKey(RootKey root, const KeyNames& key);

private:
    struct FileState {
        bool exists = false;
        std::uintmax_t device = 0, inode = 0, size = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const FileState&) const = default;
    };

    FileState currentFileState() const;
    RegistryTree& tree();  // with mutex_ held
    bool save();           // with mutex_ held
    bool mayWrite(RootKey root, const KeyNames& key) const;

    std::mutex mutex_;
    std::filesystem::path file_;
    std::vector<RegistryArea> readOnly_;
    std::optional<RegistryTree> tree_;
    FileState loadedState_;
};

}  // namespace vk::platform::hosted
