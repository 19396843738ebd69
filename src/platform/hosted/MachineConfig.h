#pragma once
// The settings of a hosted machine, read from its machine.ini (the format is
// described in docs/hosted-machine.md). Every setting has a default that
// stands for a fresh Windows XP machine, so an absent or empty file is valid.
#include <map>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hosted/RegistryTree.h"
#include "platform/hosted/WindowsPath.h"

namespace vk::platform::hosted {

// A registry key (and everything under it) that the user may not write.
struct RegistryArea {
    RootKey root = RootKey::LocalMachine;
    std::vector<std::string> names;  // empty: the whole root

    bool contains(RootKey keyRoot, const std::vector<std::string>& keyNames) const;
};

struct MachineConfig {
    std::string computerName = "VORKAST-PC";
    std::string windowsFolder = "C:\\WINDOWS";
    std::string systemFolder = "C:\\WINDOWS\\system32";
    std::string tempFolder = "C:\\WINDOWS\\TEMP\\";
    // CSIDL number -> folder; a number that is absent has no file-system location.
    std::map<int, std::string> specialFolders = defaultSpecialFolders();
    std::vector<RegistryArea> readOnlyRegistry;
    std::vector<WindowsPath> readOnlyFolders;
    bool allowPrograms = false;
    bool allowLibraries = false;
    // A library that is a Windows image counts as loaded (exporting nothing,
    // running nothing) instead of not loading.
    bool loadImages = false;
    // The running installer's own file (GetModuleFileName).
    std::string programPath = "D:\\Setup.exe";
    // The database engine's aliases: name -> SERVER NAME, in file order.
    std::vector<std::pair<std::string, std::string>> engineAliases;

    static std::map<int, std::string> defaultSpecialFolders();
};

// Parses the text of a machine.ini; fileName is what errors name
// ("<fileName>, line 3: ..."). Throws Error for anything it does not understand.
MachineConfig parseMachineConfig(std::string_view text, const std::string& fileName);

}  // namespace vk::platform::hosted
