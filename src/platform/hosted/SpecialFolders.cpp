#include "platform/SpecialFolders.h"

#include "platform/hosted/Machine.h"

namespace vk::platform {

std::string specialFolderPath(int csidl) {
    auto machine = hosted::selectedMachine();
    if (!machine) return {};
    const auto& folders = machine->config().specialFolders;
    auto found = folders.find(csidl);
    return found == folders.end() ? std::string() : found->second;
}

}  // namespace vk::platform
