#include "datalib/Paths.h"

namespace vk {

namespace {

constexpr std::string_view kNameDelimiters = "\\:";
constexpr std::string_view kExtensionDelimiters = ".\\:";

bool endsWithBackslash(std::string_view path) { return !path.empty() && path.back() == '\\'; }

// The length of the folder part including its final delimiter (0 when none).
std::size_t folderLength(std::string_view path) {
    const auto last = path.find_last_of(kNameDelimiters);
    return last == std::string_view::npos ? 0 : last + 1;
}

// The position of the extension's dot, or npos.
std::size_t extensionDot(std::string_view path) {
    const auto last = path.find_last_of(kExtensionDelimiters);
    return last != std::string_view::npos && path[last] == '.' ? last : std::string_view::npos;
}

}  // namespace

std::string ExtractFileDir(std::string_view path) {
    std::size_t length = folderLength(path);
    if (length > 1 && path[length - 1] == '\\' && kNameDelimiters.find(path[length - 2]) == std::string_view::npos)
        --length;
    return std::string(path.substr(0, length));
}

std::string ExtractFileDrive(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
    if (!path.starts_with("\\\\")) return {};
    // \\host\share: up to the backslash after the share's name.
    const auto host = path.find('\\', 2);
    if (host == std::string_view::npos || host == 2) return {};
    const auto share = path.find('\\', host + 1);
    if (share == host + 1) return {};
    return std::string(path.substr(0, share));
}

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(folderLength(path))); }

std::string ExtractFileExt(std::string_view path) {
    const auto dot = extensionDot(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    return std::string(path.substr(0, extensionDot(path))) + std::string(ext);
}

std::string IncludeTrailingBackslash(std::string_view path) {
    return endsWithBackslash(path) ? std::string(path) : std::string(path) + '\\';
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    return std::string(endsWithBackslash(path) ? path.substr(0, path.size() - 1) : path);
}

}  // namespace vk
