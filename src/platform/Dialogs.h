#pragma once
// The system's choosers, Windows only: the Win32 front end shows them when
// the logic asks its front end (forms/FrontEnd.h), the one place where it
// asks the user anything; the scenario player answers in their stead.
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

Choosers& choosers();

}  // namespace vk::platform
