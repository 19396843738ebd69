// The registry of the hosted machine: keys are names in its RegistryStore.
#include "platform/Registry.h"

#include "platform/hosted/Machine.h"
#include "platform/hosted/RegistryStore.h"

namespace vk::platform {

namespace {

class HostedRegistryKey final : public RegistryKey {
public:
    HostedRegistryKey(std::shared_ptr<hosted::Machine> machine, RootKey root, hosted::KeyNames names)
        : machine_(std::move(machine)), root_(root), names_(std::move(names)) {}

    std::optional<std::string> readString(std::string_view name) override {
        return machine_->registry().readString(root_, names_, name);
    }
    bool writeString(std::string_view name, std::string_view value) override {
        return machine_->registry().writeString(root_, names_, name, value);
    }

private:
    std::shared_ptr<hosted::Machine> machine_;  // the key stays on its machine even if another is selected
    RootKey root_;
    hosted::KeyNames names_;
};

}  // namespace

std::unique_ptr<RegistryKey> openRegistryKey(RootKey root, std::string_view path, bool create) {
    auto machine = hosted::selectedMachine();
    if (!machine) return nullptr;
    hosted::KeyNames names = hosted::splitKeyPath(path);
    hosted::RegistryStore& registry = machine->registry();
    bool opened = create ? registry.createKey(root, names) : registry.keyExists(root, names);
    if (!opened) return nullptr;
    return std::make_unique<HostedRegistryKey>(std::move(machine), root, std::move(names));
}

bool deleteRegistryKey(RootKey root, std::string_view path) {
    auto machine = hosted::selectedMachine();
    hosted::KeyNames names = hosted::splitKeyPath(path);
    if (!machine || names.empty()) return false;
    return machine->registry().deleteKey(root, names);
}

}  // namespace vk::platform
