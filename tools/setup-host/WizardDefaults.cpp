#include "WizardDefaults.h"

#include "datalib/WinUtils.h"
#include "platform/Library.h"
#include "platform/Registry.h"

namespace vk::host {

namespace {

constexpr std::uint32_t pfFilledDatabase = 0x0004;
constexpr std::uint32_t pfBdeOffered = 0x0010;
constexpr std::uint32_t pfClientOffered = 0x0100;

std::string installedBdeFolder() {
    auto key = platform::openRegistryKey(platform::RootKey::LocalMachine, "SoftWare\\Borland\\DataBase Engine", false);
    return key ? key->readString("DLLPATH").value_or("") : "";
}

}  // namespace

void applyWizardDefaults(TProcessThread& worker, ConfigTable& configs, bool clientPart, const std::string& netPath) {
    const std::uint32_t flags = kPackageFlags;
    const std::string drive = WindowsDir().substr(0, 2);
    configs.FillConfigList(flags);

    worker.PackageFlags = flags;
    worker.LocalPath = drive + "\\Program Files\\Talvex\\Vorkast";
    worker.DataBaseFolder = worker.LocalPath + "\\DataBase";
    worker.NetPath = netPath;
    worker.BdeFolder = installedBdeFolder();

    const bool installBde = (flags & pfBdeOffered) && worker.BdeFolder.empty();
    if (installBde) worker.BdeFolder = drive + "\\Program files\\Borland\\Common files\\BDE";
    const bool installClient = (flags & pfClientOffered) && !platform::loadLibrary("GDS32.DLL");

    std::uint32_t options = clientPart ? ioClientPart : ioServerPart;
    if (configs.AnyConfigSelected()) options |= ioConfigChosen;
    if (flags & pfFilledDatabase) options |= ioFilledDatabase;
    if (installBde) options |= ioBDE;
    if (installClient) options |= ioIBClient;
    options |= ioFirebird;
    if (flags & pfRegisterComponents) options |= ioRegister;
    worker.InstallOptions = options;
}

}  // namespace vk::host
