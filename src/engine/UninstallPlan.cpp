#include "engine/UninstallPlan.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "datalib/Paths.h"
#include "engine/InstallLog.h"
#include "platform/Text.h"

namespace vk {

namespace {

// A path's parts below its root ("C:" or "\\host\share"), without the empty
// ones a doubled "\" leaves (Windows reads "C:\Dir\\File" as "C:\Dir\File",
// and the installer logs such paths); nothing when the path is not absolute.
std::optional<std::vector<std::string_view>> partsBelowRoot(std::string_view path) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       path[2] == '\\';
    const bool share = path.starts_with("\\\\") && parts.size() >= 2 && parts[0] != "." && parts[0] != "?";
    if (!drive && !share) return std::nullopt;
    parts.erase(parts.begin(), parts.begin() + (drive ? 1 : 2));
    return parts;
}

// The form in which two paths are compared: upper case, single "\", none at the end.
std::string comparable(std::string_view path) {
    std::string text = ansiUpper(path);
    std::string single;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\\' || i < 2 || single.back() != '\\') single += text[i];
    return ExcludeTrailingBackslash(single);
}

bool samePath(std::string_view a, std::string_view b) { return comparable(a) == comparable(b); }

std::size_t depthOf(std::string_view path) {
    const std::string single = comparable(path);
    return static_cast<std::size_t>(std::count(single.begin(), single.end(), '\\'));
}

}  // namespace

bool IsWithinFolder(std::string_view path, std::string_view folder) {
    const std::string inner = comparable(path), outer = comparable(folder);
    return !outer.empty() && (inner == outer || inner.starts_with(outer + "\\"));
}

bool IsRemovablePath(const std::string& path, const UninstallPlaces& places) {
    const auto parts = partsBelowRoot(path);
    if (!parts || parts->empty()) return false;  // relative, or a root
    for (std::string_view part : *parts)
        if (part == "." || part == "..") return false;
    return !samePath(path, places.windowsDir) && !samePath(path, places.systemDir);
}

UninstallPlan PlanUninstall(const std::vector<InstallLogEntry>& log, const UninstallPlaces& places) {
    UninstallPlan plan;
    for (const InstallLogEntry& entry : log) {
        if (entry.kind == logkind::DbDir && !entry.value.empty()) plan.keptFolders.push_back(entry.value);
        if (entry.kind == logkind::Target && !entry.value.empty())
            plan.keptFolders.push_back(ExcludeTrailingBackslash(entry.value) + "\\Подключения");
    }
    const auto kept = [&](const std::string& path) {
        return std::any_of(plan.keptFolders.begin(), plan.keptFolders.end(),
                           [&](const std::string& folder) { return IsWithinFolder(path, folder); });
    };

    std::vector<std::string> folders;
    for (auto entry = log.rbegin(); entry != log.rend(); ++entry) {
        const std::string& path = entry->value;
        const bool folder = entry->kind == logkind::Folder;
        if (entry->kind == logkind::Target || entry->kind == logkind::BdeDir || entry->kind == logkind::DbDir) continue;
        // The Windows and system folders are logged as folders the installation used; they are never removed.
        if (folder && (samePath(path, places.windowsDir) || samePath(path, places.systemDir))) continue;
        if (!IsRemovablePath(path, places)) {
            plan.refused.push_back(entry->kind + " " + path);
            continue;
        }
        if (kept(path)) continue;
        if (folder) {
            if (std::none_of(folders.begin(), folders.end(), [&](const std::string& f) { return samePath(f, path); }))
                folders.push_back(path);
        } else if (entry->kind == logkind::Shortcut) {
            plan.steps.push_back({UninstallAction::DeleteShortcut, path});
        } else if (entry->kind == logkind::SrvReg) {
            plan.steps.push_back({UninstallAction::UnregisterServer, path});
        } else if (entry->kind == logkind::OcxReg) {
            plan.steps.push_back({UninstallAction::UnregisterControl, path});
        } else if (!samePath(path, places.logPath) && !samePath(path, places.selfPath)) {
            plan.steps.push_back({UninstallAction::DeleteFile, path});
        }
    }
    // Deepest first, so that a folder is emptied of its subfolders before its turn.
    std::stable_sort(folders.begin(), folders.end(),
                     [](const std::string& a, const std::string& b) { return depthOf(a) > depthOf(b); });
    for (const std::string& folder : folders) plan.steps.push_back({UninstallAction::RemoveFolder, folder});
    plan.steps.push_back({UninstallAction::DeleteUninstallKey, std::string(kUninstallKey)});
    plan.steps.push_back({UninstallAction::DeleteFile, places.logPath});
    return plan;
}

}  // namespace vk
