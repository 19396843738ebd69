#pragma once
// Carrying out an uninstall plan on this machine, and the words the
// uninstaller ends with. Every step is tried; what fails is noted, never
// raised, so that one stubborn file does not leave the rest behind.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "engine/UninstallPlan.h"

namespace vk {

struct UninstallReport {
    std::vector<std::string> notRemoved;   // "path: why", in step order
    std::vector<std::string> keptFolders;  // the plan's kept folders that exist
};

// Called before each step with the number of steps done, their total and the step's path.
using UninstallProgress = std::function<void(std::size_t done, std::size_t total, const std::string& path)>;

UninstallReport RunUninstall(const UninstallPlan& plan, const UninstallProgress& progress);

// The closing message: done, which folders were kept, what could not be
// removed and which log entries were not acted on.
std::string UninstallSummary(const UninstallPlan& plan, const UninstallReport& report);

}  // namespace vk
