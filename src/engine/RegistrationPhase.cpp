#include "engine/RegistrationPhase.h"

#include <memory>
#include <string>
#include <vector>

#include "engine/InstallLog.h"
#include "platform/FileSystem.h"
#include "platform/Library.h"
#include "platform/Process.h"

namespace vk {

namespace {

// The two entry points of a self-registering library, indexed by mode.
constexpr const char* kRegistrationEntries[] = {"DllUnregisterServer", "DllRegisterServer"};
constexpr int kRegister = 1;

void registerInProcess(const std::string& path, int mode) {
    std::unique_ptr<platform::Library> library;
    try {
        library = platform::loadLibrary(path);
    } catch (...) {
        return;  // a control that fails while loading counts as one that does not load
    }
    if (!library) return;
    // Its result is not examined; a fault inside it throws, unloads the
    // library and ends the run before the control is logged.
    library->callHresultExport(kRegistrationEntries[mode]);
}

std::string regserverCommandLine(const std::string& path) { return platform::programCommandLine(path) + " -regserver"; }

}  // namespace

void RunRegistrationPhase(const InstallJob& job, const ProgressSender& progress) {
    progress.clearText();
    progress.status(psRegistering);
    if (!job.HasOption(ioRegister) || !(job.PackageFlags & pfRegisterComponents)) return;

    const std::string& folder = job.InstallFolder();
    platform::setCurrentFolder(folder);
    std::vector<std::string> controls;
    for (const platform::FoundFile& found : platform::findFiles(folder + "\\*.ocx"))
        controls.push_back(folder + "\\" + found.name);

    const auto steps = static_cast<std::uint32_t>(controls.size() + std::size(kAutomationServers));
    progress.range(steps);
    for (const std::string& control : controls) {
        progress.text(control);
        registerInProcess(control, kRegister);
        job.AddLogEntry(control, logkind::OcxReg, 0);
        progress.step();
    }
    for (const char* server : kAutomationServers) {
        const std::string path = folder + "\\" + server;
        progress.text(path);
        platform::startProcess(regserverCommandLine(path), "", platform::Wait::Forever);  // inherits the folder set above
        job.AddLogEntry(path, logkind::SrvReg, 0);
        progress.step();
    }
    progress.endPhase(steps);
}

}  // namespace vk
