#include "datalib/WinUtils.h"

#include <vector>

#include "datalib/Paths.h"
#include "forms/FrontEnd.h"
#include "platform/FileSystem.h"
#include "platform/SpecialFolders.h"
#include "platform/Text.h"

namespace vk {

namespace {

std::string withBackslash(std::string folder) { return folder.empty() ? folder : folder + '\\'; }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// The names of a path below its drive, with "." and ".." applied.
std::string normalizedBelowDrive(std::string_view rest) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !isSeparator(rest[end])) ++end;
        const std::string_view name = rest.substr(start, end - start);
        if (name == "..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    std::string joined;
    for (std::string_view name : names) (joined += '\\') += name;
    return joined;
}

}  // namespace

std::string SystemDir() { return withBackslash(platform::systemFolder()); }
std::string WindowsDir() { return withBackslash(platform::windowsFolder()); }
std::string TempDir() { return platform::tempFolder(); }
std::string GetSpecialFolder(int csidl) { return platform::specialFolderPath(csidl); }
std::string ComputerName() { return platform::computerName(); }

bool BrowseForFolder(std::string& path, int rootCsidl) {
    const auto chosen = forms::frontEnd().browseForFolder(path, rootCsidl);
    if (!chosen || chosen->empty()) return false;
    path = *chosen;
    return true;
}

std::string ExpandFileName(std::string_view path) {
    if (path.empty()) return {};
    std::string drive = ExtractFileDrive(path);
    std::string rest;
    if (!drive.empty()) {
        rest = std::string(path.substr(drive.size()));
        const bool driveRelative = drive.size() == 2 && (rest.empty() || !isSeparator(rest[0]));
        if (driveRelative) {
            const std::string current = platform::currentFolder();
            rest = (sameText(ExtractFileDrive(current), drive) ? current.substr(2) : std::string()) + "\\" + rest;
        }
    } else {
        const std::string current = platform::currentFolder();
        drive = ExtractFileDrive(current);
        rest = isSeparator(path[0]) ? std::string(path) : current.substr(drive.size()) + "\\" + std::string(path);
    }
    const std::string below = normalizedBelowDrive(rest);
    if (below.empty()) return drive.size() == 2 ? drive + "\\" : drive;
    return drive + below + (isSeparator(path.back()) ? "\\" : "");
}

bool ForceDir(std::string_view path) {
    const auto attributes = platform::fileAttributes(path);
    if (attributes && (*attributes & platform::kAttrDirectory) != 0) return true;
    // The parent is a strict prefix or the path itself, so this ends.
    const std::string parent = ExtractFileDir(path);
    if (parent != path && !ForceDir(parent)) return false;
    return platform::createDirectory(path);
}

void CopyFileTo(std::string_view source, std::string_view dest, bool append) {
    if (!platform::fileExists(source)) return;
    // Replacing a file by itself: deleting dest first would destroy the source.
    if (!append && sameText(source, dest)) return;
    if (!append) platform::deleteFile(dest);
    auto in = platform::openFile(source, platform::FileMode::OpenRead);
    std::unique_ptr<Stream> out;
    if (append && platform::fileExists(dest)) {
        out = platform::openFile(dest, platform::FileMode::OpenReadWrite);
        out->seek(0, SeekOrigin::End);
    } else {
        // Create truncates a dest that could not be deleted, so it never keeps old bytes before the copy.
        out = platform::openFile(dest, platform::FileMode::Create);
    }
    // The size is fixed up front: appending a file to itself must not chase its own growth.
    out->copyFrom(*in, in->size());
}

}  // namespace vk
