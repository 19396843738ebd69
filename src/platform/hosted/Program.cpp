#include "platform/Program.h"

#include <filesystem>
#include <mutex>

#include "platform/hosted/HostedProgram.h"
#include "platform/hosted/Machine.h"

namespace vk::platform {

namespace {

std::mutex programMutex;
std::string programOverride;

}  // namespace

void hosted::useProgramPath(std::string windowsPath) {
    std::lock_guard lock(programMutex);
    programOverride = std::move(windowsPath);
}

std::string programPath() {
    {
        std::lock_guard lock(programMutex);
        if (!programOverride.empty()) return programOverride;
    }
    // On a machine, the installer lies where its machine.ini says.
    if (auto machine = hosted::selectedMachine()) return machine->config().programPath;
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

}  // namespace vk::platform
