#pragma once
// The system's choosers, behind an interface: the Windows build shows the real
// dialogs, tests and the hosted runner answer them.
#include <optional>
#include <string>
#include <string_view>

namespace vk::platform {

class Choosers {
public:
    virtual ~Choosers() = default;
    // SHBrowseForFolder rooted at rootCsidl with initial selected; the chosen
    // folder's path (no trailing "\"), or nullopt when cancelled.
    virtual std::optional<std::string> browseForFolder(std::string_view initial, int rootCsidl) = 0;
    // GetOpenFileName with a filter ("Text|*.txt|All|*.*"); nullopt when cancelled.
    virtual std::optional<std::string> openFile(std::string_view initialPath, std::string_view filter,
                                                std::string_view title) = 0;
};

// The choosers in force: the system's by default; tests install their own.
Choosers& choosers();
void setChoosers(Choosers* replacement);  // nullptr restores the system's

}  // namespace vk::platform
