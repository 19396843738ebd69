// Files and folders of the hosted machine (or of the host when no machine is selected).
#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/Error.h"
#include "platform/hosted/HostFileStream.h"
#include "platform/hosted/Machine.h"
#include "platform/hosted/Wildcard.h"

namespace vk::platform {

using hosted::resolvePath;
using hosted::selectedMachine;
using hosted::tryResolvePath;

namespace {

std::uint32_t attributesOf(const struct stat& info) {
    std::uint32_t attributes = S_ISDIR(info.st_mode) ? kAttrDirectory : kAttrArchive;
    if (!(info.st_mode & S_IWUSR)) attributes |= kAttrReadOnly;
    return attributes;
}

std::optional<struct stat> statOf(std::string_view path) {
    auto resolved = tryResolvePath(path);
    struct stat info {};
    if (!resolved || ::stat(resolved->host.c_str(), &info) != 0) return std::nullopt;
    return info;
}

// A path the user may change, or nullopt.
std::optional<hosted::ResolvedPath> writablePath(std::string_view path) {
    auto resolved = tryResolvePath(path);
    if (!resolved || !resolved->writable) return std::nullopt;
    return resolved;
}

}  // namespace

std::string windowsFolder() {
    auto machine = selectedMachine();
    return machine ? machine->config().windowsFolder : std::string();
}

std::string systemFolder() {
    auto machine = selectedMachine();
    return machine ? machine->config().systemFolder : std::string();
}

std::string tempFolder() {
    if (auto machine = selectedMachine()) return machine->config().tempFolder;
    std::error_code error;
    std::string host = std::filesystem::temp_directory_path(error).string();
    return error ? std::string() : host + "/";
}

std::string computerName() {
    if (auto machine = selectedMachine()) return machine->config().computerName;
    char name[256] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

std::optional<std::uint32_t> fileAttributes(std::string_view path) {
    auto info = statOf(path);
    if (!info) return std::nullopt;
    return attributesOf(*info);
}

bool fileExists(std::string_view path) {
    auto info = statOf(path);
    return info && !S_ISDIR(info->st_mode);
}

bool directoryExists(std::string_view path) {
    auto info = statOf(path);
    return info && S_ISDIR(info->st_mode);
}

bool createDirectory(std::string_view path) {
    auto resolved = writablePath(path);
    return resolved && ::mkdir(resolved->host.c_str(), 0777) == 0;
}

bool deleteFile(std::string_view path) {
    auto resolved = writablePath(path);
    struct stat info {};
    if (!resolved || ::lstat(resolved->host.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    return ::unlink(resolved->host.c_str()) == 0;
}

bool removeDirectory(std::string_view path) {
    auto resolved = writablePath(path);
    // A drive or share is not a folder that can be removed.
    if (!resolved || (resolved->windows && resolved->windows->isRoot())) return false;
    return ::rmdir(resolved->host.c_str()) == 0;
}

bool copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    auto source = tryResolvePath(from);
    auto target = writablePath(to);
    struct stat info {};
    if (!source || !target || ::stat(source->host.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    if (::stat(target->host.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return false;
    std::error_code error;
    auto options = failIfExists ? std::filesystem::copy_options::none : std::filesystem::copy_options::overwrite_existing;
    return std::filesystem::copy_file(source->host, target->host, options, error) && !error;
}

bool sameFile(std::string_view a, std::string_view b) {
    auto first = tryResolvePath(a);
    auto second = tryResolvePath(b);
    std::error_code error;
    return first && second && std::filesystem::equivalent(first->host, second->host, error) && !error;
}

bool moveFile(std::string_view from, std::string_view to) {
    auto source = writablePath(from);
    auto target = writablePath(to);
    struct stat info {};
    if (!source || !target || ::lstat(source->host.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    return ::rename(source->host.c_str(), target->host.c_str()) == 0;
}

std::unique_ptr<Stream> openFile(std::string_view path, FileMode mode) {
    auto resolved = resolvePath(path);
    if (mode != FileMode::OpenRead && !resolved.writable) throw Error(resolved.shown + ": " + std::strerror(EACCES));
    int flags = mode == FileMode::OpenRead ? O_RDONLY : mode == FileMode::OpenReadWrite ? O_RDWR : O_RDWR | O_CREAT | O_TRUNC;
    return std::make_unique<hosted::HostFileStream>(resolved.host, flags, resolved.shown);
}

std::vector<FoundFile> findFiles(std::string_view pattern) {
    std::size_t cut = pattern.find_last_of("\\/");
    std::string_view folder = cut == std::string_view::npos ? std::string_view(".") : pattern.substr(0, cut + 1);
    std::string_view names = cut == std::string_view::npos ? pattern : pattern.substr(cut + 1);
    auto resolved = tryResolvePath(folder);
    if (!resolved || names.empty()) return {};
    // A drive or share root lists no "." and ".." entries.
    bool isRoot = resolved->windows && resolved->windows->isRoot();

    std::vector<FoundFile> found;
    std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(resolved->host.c_str()), ::closedir);
    if (!listing) return found;
    while (const dirent* entry = ::readdir(listing.get())) {
        std::string_view name = entry->d_name;
        if (isRoot && (name == "." || name == "..")) continue;
        if (!hosted::matchesWildcard(name, names)) continue;
        struct stat info {};
        if (::fstatat(::dirfd(listing.get()), entry->d_name, &info, 0) != 0) continue;
        found.push_back({std::string(name), attributesOf(info),
                         S_ISDIR(info.st_mode) ? 0 : static_cast<std::uint64_t>(info.st_size)});
    }
    return found;
}

std::string currentFolder() {
    if (auto machine = selectedMachine()) return machine->currentFolder();
    std::error_code error;
    std::string host = std::filesystem::current_path(error).string();
    return error ? std::string() : host;
}

bool setCurrentFolder(std::string_view path) {
    auto resolved = tryResolvePath(path);
    std::error_code error;
    if (!resolved || !std::filesystem::is_directory(resolved->host, error)) return false;
    if (auto machine = selectedMachine()) {
        if (resolved->windows) machine->setCurrentFolder(*resolved->windows);
        return static_cast<bool>(resolved->windows);
    }
    std::filesystem::current_path(resolved->host, error);
    return !error;
}

}  // namespace vk::platform
