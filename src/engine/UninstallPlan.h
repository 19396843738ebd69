#pragma once
// What the uninstaller does with an install log, decided before anything is
// touched: the steps in the order they run, what stays on purpose, and the
// entries it refuses to act on. No system call here, so that the rules can be
// checked on any machine.
#include <string>
#include <string_view>
#include <vector>

#include "engine/InstallLogReader.h"

namespace vk {

// The places the rules protect or treat apart, as this machine names them.
struct UninstallPlaces {
    std::string windowsDir;  // WindowsDir, with or without trailing "\"
    std::string systemDir;   // SystemDir, with or without trailing "\"
    std::string logPath;     // the log being read: deleted last but one
    std::string selfPath;    // the uninstaller's own file: deleted last, by its front end
};

enum class UninstallAction {
    DeleteShortcut,
    UnregisterServer,    // start it with " -unregserver" and wait
    UnregisterControl,   // call its DllUnregisterServer
    DeleteFile,
    RemoveFolder,        // only when empty
    DeleteUninstallKey,  // HKEY_LOCAL_MACHINE kUninstallKey
};

struct UninstallStep {
    UninstallAction action;
    std::string path;
    bool operator==(const UninstallStep&) const = default;
};

struct UninstallPlan {
    // The log's shortcuts, servers, controls and files in reverse log order;
    // then its folders, deepest first; then the uninstall key; then the log.
    std::vector<UninstallStep> steps;
    // Folders whose contents the removal keeps: every logged database folder
    // (the user's data) and the connection files' folder "Подключения" of
    // every logged installation folder.
    std::vector<std::string> keptFolders;
    // Entries not acted on because their path is unsafe: "KIND path".
    std::vector<std::string> refused;
};

// A path the uninstaller may act on: absolute ("C:\..." or "\\host\share\..."),
// without "." or ".." parts, and neither a drive or share root nor the Windows
// or system folder itself.
bool IsRemovablePath(const std::string& path, const UninstallPlaces& places);

// Whether path is folder or lies below it, compared as Windows compares names.
bool IsWithinFolder(std::string_view path, std::string_view folder);

UninstallPlan PlanUninstall(const std::vector<InstallLogEntry>& log, const UninstallPlaces& places);

}  // namespace vk
