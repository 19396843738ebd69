#pragma once
// The registry: string values under the three roots the installer uses.
// A key that cannot be opened (missing, or no rights) is simply absent.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vk::platform {

enum class RootKey { LocalMachine, CurrentUser, ClassesRoot };

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // An empty name is the key's default value. Absent value (or not a string): nullopt.
    virtual std::optional<std::string> readString(std::string_view name) = 0;
    // Returns false when the value cannot be written (no rights).
    virtual bool writeString(std::string_view name, std::string_view value) = 0;
};

// Opens root\path ("\"-separated, case-insensitive). With create, missing keys
// are made. nullptr when the key is missing (and not created) or not allowed.
std::unique_ptr<RegistryKey> openRegistryKey(RootKey root, std::string_view path, bool create);

// Removes root\path with its subkeys and values. true when the key is gone
// afterwards (also when it was missing); false when it could not be removed,
// and always for an empty path (the root itself is never removed).
bool deleteRegistryKey(RootKey root, std::string_view path);

}  // namespace vk::platform
