#pragma once
// The hosted registry in memory: three roots of keys, each with named values.
// Names match without regard to case; a key or value keeps the case it was
// first created with.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace vk::platform::hosted {

struct RegistryValue {
    std::string name;   // empty: the key's default value
    // A string value holds its text; any other type keeps its .reg data
    // ("dword:00000001", "hex(7):41,00,...") so that it is written back unchanged.
    bool isString = true;
    std::string data;
};

class RegistryNode {
public:
    explicit RegistryNode(std::string name = {}) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    RegistryNode* child(std::string_view name) const;
    RegistryNode& childOrNew(std::string_view name);
    // Drops a child with its subtree; false when there is none.
    bool removeChild(std::string_view name);
    const RegistryValue* value(std::string_view name) const;
    void setValue(RegistryValue value);

    // In a stable order (by upper-cased name), for writing.
    std::vector<const RegistryNode*> children() const;
    std::vector<const RegistryValue*> values() const;

private:
    std::string name_;
    std::map<std::string, std::unique_ptr<RegistryNode>> children_;  // by upper-cased name
    std::map<std::string, RegistryValue> values_;                    // by upper-cased name
};

struct RegistryTree {
    RegistryNode localMachine, currentUser, classesRoot;

    RegistryNode& root(RootKey key);
    const RegistryNode& root(RootKey key) const;
    // The key at names under root; nullptr when any part is missing.
    RegistryNode* find(RootKey key, const std::vector<std::string>& names);
};

constexpr RootKey kAllRootKeys[] = {RootKey::LocalMachine, RootKey::CurrentUser, RootKey::ClassesRoot};

// "HKEY_LOCAL_MACHINE" and the other roots' names, as .reg files spell them.
std::string_view rootKeyName(RootKey root);
// Also accepts the short forms HKLM, HKCU, HKCR; nullopt for any other name.
std::optional<RootKey> parseRootKeyName(std::string_view name);

// Splits a "\"-separated key path; empty parts (doubled or outer "\") are skipped.
std::vector<std::string> splitKeyPath(std::string_view path);

}  // namespace vk::platform::hosted
