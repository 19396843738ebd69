// A drive of the hosted machine is a folder named by its letter in the
// machine folder ("C", "D"); shares ("UNC") are not drives.
#include "platform/Drives.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "platform/hosted/Machine.h"

namespace vk::platform {

std::vector<std::string> logicalDrives() {
    auto machine = hosted::selectedMachine();
    if (!machine) return {};
    std::vector<std::string> drives;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(machine->root(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])) && entry.is_directory(error))
            drives.push_back(std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])))) + ":");
    }
    std::sort(drives.begin(), drives.end());
    drives.erase(std::unique(drives.begin(), drives.end()), drives.end());
    return drives;
}

}  // namespace vk::platform
