#include "WizardDefaults.h"

#include "datalib/WinUtils.h"
#include "dbenv/BdeConfig.h"
#include "dbenv/ServerDetection.h"

namespace vk::host {

void applyWizardDefaults(TProcessThread& worker, ConfigTable& configs, bool clientPart, const std::string& netPath) {
    const std::uint32_t flags = kPackageFlags;
    const std::string drive = WindowsDir().substr(0, 2);
    configs.FillConfigList(flags);

    worker.PackageFlags = flags;
    worker.LocalPath = drive + "\\Program Files\\Talvex\\Vorkast";
    worker.DataBaseFolder = worker.LocalPath + "\\DataBase";
    worker.NetPath = netPath;
    worker.BdeFolder = DetectBdeFolder();

    const bool installBde = (flags & pfBdeOffered) && worker.BdeFolder.empty();
    if (installBde) worker.BdeFolder = DefaultBdeFolder(WindowsDir());
    const bool installClient = (flags & pfClientOffered) && !ClientLibraryLoads();

    std::uint32_t options = clientPart ? ioClientPart : ioServerPart;
    if (configs.AnyConfigSelected()) options |= ioConfigChosen;
    if (flags & pfMainProgram) options |= ioFilledDatabase;
    if (installBde) options |= ioBDE;
    if (installClient) options |= ioIBClient;
    options |= ioFirebird;
    if (flags & pfRegisterComponents) options |= ioRegister;
    worker.InstallOptions = options;
}

}  // namespace vk::host
