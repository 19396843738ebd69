#include "dbenv/ServerDetection.h"

#include "datalib/Paths.h"
#include "datalib/WinUtils.h"
#include "platform/FileVersion.h"
#include "platform/FileSystem.h"
#include "platform/Library.h"
#include "platform/Process.h"
#include "platform/Program.h"
#include "platform/Text.h"

namespace vk {

namespace {

constexpr std::string_view kClientLibrary = "GDS32.DLL";

bool descriptionNames(const ServerInfo& info, std::string_view upperName) {
    return ansiUpper(info.GdsDescription).find(upperName) != std::string::npos;
}

}  // namespace

std::string ReadGdsVersionString(std::string_view name, std::string_view folder) {
    const std::string library = (folder.empty() ? SystemDir() : IncludeTrailingBackslash(folder)) + std::string(kClientLibrary);
    return platform::fileVersionString(library, name).value_or("");
}

bool ClientLibraryLoads() { return platform::loadLibrary(kClientLibrary) != nullptr; }

void InitServerChoices(ServerInfo& info, std::uint32_t packageFlags, const ClientControls& controls) {
    info.GdsDescription = ReadGdsVersionString("FileDescription");
    info.GdsVersion = ReadGdsVersionString("FileVersion");
    const bool offered = (packageFlags & pfClientOffered) != 0;
    controls.cbIBClient.setChecked(offered && !ClientLibraryLoads());
    controls.cbIBClient.setEnabled(offered);
    controls.rbYaffil.setChecked(descriptionNames(info, "YAFFIL"));
    // Also when the check mark did not change and its handler did not run.
    cbIBClientClick(controls);
}

void cbIBClientClick(const ClientControls& controls) {
    controls.rbFirebird.setEnabled(controls.cbIBClient.checked());
    controls.rbYaffil.setEnabled(controls.cbIBClient.checked());
}

bool NeedsServerInstall(ServerInfo& info, bool serverPart) {
    if (!serverPart) return false;
    if (descriptionNames(info, "FIREBIRD") || descriptionNames(info, "YAFFIL")) return false;
    info.ServerInstaller = platform::programFolder() + std::string(kServerInstallerName);
    return platform::fileExists(info.ServerInstaller);
}

std::string ServerPageText(const ServerInfo& info) {
    // "cервер" begins with a Latin c, as the product has always written it.
    if (info.GdsDescription.empty()) return "Программа установки определила, что на компьютере не установлен Interbase cервер.";
    return "Программа установки определила, что на компьютере установлена несоответствующая версия Interbase cервера (" +
           info.GdsDescription + " " + info.GdsVersion + ").";
}

void RunServerInstaller(const ServerInfo& info) {
    platform::startProcess(platform::programCommandLine(info.ServerInstaller), "", platform::Wait::Forever);
}

}  // namespace vk
