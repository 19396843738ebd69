#include "platform/hosted/ModuleSearch.h"

#include <system_error>

namespace vk::platform::hosted {

std::optional<ResolvedPath> findModule(const Machine& machine, std::string_view name, std::string_view defaultExtension) {
    std::string file(name);
    std::size_t lastName = file.find_last_of("\\/:");
    std::string_view baseName = std::string_view(file).substr(lastName == std::string::npos ? 0 : lastName + 1);
    if (baseName.find('.') == std::string_view::npos) file += defaultExtension;

    std::vector<std::string> folders = {machine.currentFolder()};
    if (lastName == std::string::npos) {
        folders.push_back(machine.config().systemFolder);
        folders.push_back(machine.config().windowsFolder);
    }
    for (const auto& folder : folders) {
        auto path = parseWindowsPath(file, folder);
        if (!path) return std::nullopt;
        ResolvedPath resolved = machine.resolve(*path);
        std::error_code error;
        if (std::filesystem::is_regular_file(resolved.host, error)) return resolved;
    }
    return std::nullopt;
}

}  // namespace vk::platform::hosted
