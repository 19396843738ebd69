#include "platform/hosted/RegistryStore.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/hosted/AtomicFile.h"
#include "platform/hosted/RegFile.h"

namespace vk::platform::hosted {

RegistryStore::RegistryStore(std::filesystem::path file, std::vector<RegistryArea> readOnly)
    : file_(std::move(file)), readOnly_(std::move(readOnly)) {}

RegistryStore::FileState RegistryStore::currentFileState() const {
    struct stat info {};
    if (::stat(file_.c_str(), &info) != 0) return {};
    return {true, info.st_dev, info.st_ino, static_cast<std::uintmax_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

RegistryTree& RegistryStore::tree() {
    FileState state = currentFileState();
    if (!tree_ || state != loadedState_) {
        tree_.reset();
        if (state.exists) tree_ = parseRegFile(readWholeFile(file_), file_.string());
        else tree_.emplace();
        loadedState_ = state;
    }
    return *tree_;
}

bool RegistryStore::save() {
    try {
        // Windows, too, returns from a registry write before the hive is on
        // the disk; a flush for every value made an installation's end slower
        // than all its file copying.
        const std::string text = formatRegFile(*tree_);
        replaceHostFile(file_, file_.string(), [&](Stream& out) { out.write(text.data(), text.size()); },
                        Durability::Lazy);
        loadedState_ = currentFileState();
        return true;
    } catch (const Error&) {
        // The file still holds the registry before this change: read it again next time.
        tree_.reset();
        return false;
    }
}

bool RegistryStore::mayWrite(RootKey root, const KeyNames& key) const {
    return std::none_of(readOnly_.begin(), readOnly_.end(),
                        [&](const RegistryArea& area) { return area.contains(root, key); });
}

bool RegistryStore::keyExists(RootKey root, const KeyNames& key) {
    std::lock_guard lock(mutex_);
    return tree().find(root, key) != nullptr;
}

std::optional<std::string> RegistryStore::readString(RootKey root, const KeyNames& key, std::string_view name) {
    std::lock_guard lock(mutex_);
    const RegistryNode* node = tree().find(root, key);
    const RegistryValue* value = node ? node->value(name) : nullptr;
    if (!value || !value->isString) return std::nullopt;
    return value->data;
}

bool RegistryStore::createKey(RootKey root, const KeyNames& key) {
    std::lock_guard lock(mutex_);
    if (!mayWrite(root, key) || !std::all_of(key.begin(), key.end(), isStorableName)) return false;
    RegistryTree& registry = tree();
    if (registry.find(root, key)) return true;
    RegistryNode* node = &registry.root(root);
    for (const auto& name : key) node = &node->childOrNew(name);
    return save();
}

bool RegistryStore::writeString(RootKey root, const KeyNames& key, std::string_view name, std::string_view value) {
    std::lock_guard lock(mutex_);
    if (!mayWrite(root, key) || !isStorableName(name) || !isStorableText(value)) return false;
    RegistryNode* node = tree().find(root, key);
    if (!node) return false;
    node->setValue({std::string(name), true, std::string(value)});
    return save();
}

bool RegistryStore::deleteKey(RootKey root, const KeyNames& key) {
    std::lock_guard lock(mutex_);
    if (key.empty() || !mayWrite(root, key)) return false;
    const KeyNames parentNames(key.begin(), key.end() - 1);
    RegistryNode* parent = tree().find(root, parentNames);
    if (!parent || !parent->removeChild(key.back())) return true;
    return save();  // on failure the file keeps the key, and is read again
}

}  // namespace vk::platform::hosted
