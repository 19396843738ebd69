#include "platform/hosted/WindowsPath.h"

#include <cctype>

#include "platform/Text.h"

namespace vk::platform::hosted {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isAllowedInName(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && std::string_view("<>:\"|?*").find(c) == std::string_view::npos;
}

// Applies the "\"-separated names of relative to path. Windows drops trailing
// dots and spaces from a name, and ".." never climbs above the root.
bool appendNames(WindowsPath& path, std::string_view relative) {
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = start;
        while (end < relative.size() && !isSeparator(relative[end])) ++end;
        std::string_view name = relative.substr(start, end - start);
        start = end + 1;
        if (name == "..") {
            if (!path.names.empty()) path.names.pop_back();
            continue;
        }
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
        if (name.empty()) continue;
        for (char c : name)
            if (!isAllowedInName(c)) return false;
        path.names.emplace_back(name);
    }
    return true;
}

// The part of a share path after "\\": host and share, then what follows.
std::optional<std::string_view> takeShare(WindowsPath& path, std::string_view rest) {
    auto takeName = [&rest](std::string& into) {
        std::size_t end = 0;
        while (end < rest.size() && !isSeparator(rest[end])) ++end;
        into.assign(rest.substr(0, end));
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
        if (into.empty() || into == "." || into == "..") return false;
        for (char c : into)
            if (!isAllowedInName(c)) return false;
        return true;
    };
    if (!takeName(path.host) || !takeName(path.share)) return std::nullopt;
    return rest;
}

}  // namespace

std::string WindowsPath::text() const {
    std::string out = isShare() ? "\\\\" + host + "\\" + share : std::string{drive, ':'};
    for (const auto& name : names) out += "\\" + name;
    if (!isShare() && names.empty()) out += "\\";
    return out;
}

bool WindowsPath::isWithin(const WindowsPath& folder) const {
    if (drive != folder.drive || names.size() < folder.names.size()) return false;
    if (isShare() && !(sameText(host, folder.host) && sameText(share, folder.share))) return false;
    for (std::size_t i = 0; i < folder.names.size(); ++i)
        if (!sameText(names[i], folder.names[i])) return false;
    return true;
}

std::optional<WindowsPath> parseWindowsPath(std::string_view path, std::string_view currentFolder) {
    if (path.empty()) return std::nullopt;
    WindowsPath result;
    std::string_view rest = path;
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        auto afterShare = takeShare(result, path.substr(2));
        if (!afterShare) return std::nullopt;
        rest = *afterShare;
    } else {
        std::optional<WindowsPath> current;
        if (!currentFolder.empty()) current = parseWindowsPath(currentFolder, {});
        bool hasDrive = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
        if (hasDrive) {
            result.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
            rest = path.substr(2);
            // "C:File" is relative to the current folder when that is on drive C.
            if ((rest.empty() || !isSeparator(rest[0])) && current && current->drive == result.drive)
                result = *current;
        } else {
            if (!current) return std::nullopt;
            result = *current;
            if (isSeparator(path[0])) result.names.clear();
        }
    }
    if (!appendNames(result, rest)) return std::nullopt;
    return result;
}

}  // namespace vk::platform::hosted
