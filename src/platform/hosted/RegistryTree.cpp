#include "platform/hosted/RegistryTree.h"

#include <utility>

#include "platform/Text.h"

namespace vk::platform::hosted {

RegistryNode* RegistryNode::child(std::string_view name) const {
    auto found = children_.find(ansiUpper(name));
    return found == children_.end() ? nullptr : found->second.get();
}

RegistryNode& RegistryNode::childOrNew(std::string_view name) {
    auto& slot = children_[ansiUpper(name)];
    if (!slot) slot = std::make_unique<RegistryNode>(std::string(name));
    return *slot;
}

bool RegistryNode::removeChild(std::string_view name) { return children_.erase(ansiUpper(name)) > 0; }

const RegistryValue* RegistryNode::value(std::string_view name) const {
    auto found = values_.find(ansiUpper(name));
    return found == values_.end() ? nullptr : &found->second;
}

void RegistryNode::setValue(RegistryValue value) {
    auto [slot, added] = values_.try_emplace(ansiUpper(value.name), value);
    if (!added) {
        value.name = slot->second.name;  // the first spelling stays
        slot->second = std::move(value);
    }
}

std::vector<const RegistryNode*> RegistryNode::children() const {
    std::vector<const RegistryNode*> out;
    for (const auto& [key, node] : children_) out.push_back(node.get());
    return out;
}

std::vector<const RegistryValue*> RegistryNode::values() const {
    std::vector<const RegistryValue*> out;
    for (const auto& [key, value] : values_) out.push_back(&value);
    return out;
}

RegistryNode& RegistryTree::root(RootKey key) {
    return const_cast<RegistryNode&>(std::as_const(*this).root(key));
}

const RegistryNode& RegistryTree::root(RootKey key) const {
    switch (key) {
        case RootKey::LocalMachine: return localMachine;
        case RootKey::CurrentUser: return currentUser;
        case RootKey::ClassesRoot: break;
    }
    return classesRoot;
}

RegistryNode* RegistryTree::find(RootKey key, const std::vector<std::string>& names) {
    RegistryNode* node = &root(key);
    for (const auto& name : names) {
        node = node->child(name);
        if (!node) return nullptr;
    }
    return node;
}

std::string_view rootKeyName(RootKey root) {
    switch (root) {
        case RootKey::LocalMachine: return "HKEY_LOCAL_MACHINE";
        case RootKey::CurrentUser: return "HKEY_CURRENT_USER";
        case RootKey::ClassesRoot: break;
    }
    return "HKEY_CLASSES_ROOT";
}

std::optional<RootKey> parseRootKeyName(std::string_view name) {
    static constexpr std::string_view kShortNames[] = {"HKLM", "HKCU", "HKCR"};
    for (std::size_t i = 0; i < std::size(kAllRootKeys); ++i)
        if (sameText(name, rootKeyName(kAllRootKeys[i])) || sameText(name, kShortNames[i])) return kAllRootKeys[i];
    return std::nullopt;
}

std::vector<std::string> splitKeyPath(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) names.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

}  // namespace vk::platform::hosted
