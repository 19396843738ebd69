#include "datalib/WinUtils.h"

#include "datalib/Paths.h"
#include "forms/FrontEnd.h"
#include "platform/FileSystem.h"
#include "platform/SpecialFolders.h"
#include "platform/Text.h"

namespace vk {

namespace {

std::string withBackslash(std::string folder) { return folder.empty() ? folder : folder + '\\'; }

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
