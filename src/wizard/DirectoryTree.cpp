#include "wizard/DirectoryTree.h"

#include <algorithm>

#include "datalib/Paths.h"
#include "datalib/WinUtils.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "wizard/PreviousInstall.h"

namespace vk {

namespace {

std::vector<std::string> subfolders(const std::string& folder) {
    std::vector<std::string> names;
    for (const platform::FoundFile& found : platform::findFiles(IncludeTrailingBackslash(folder) + "*"))
        if ((found.attributes & platform::kAttrDirectory) && found.name != "." && found.name != "..")
            names.push_back(found.name);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return compareText(a, b) < 0; });
    return names;
}

// A drive root keeps its "\"; every other folder goes without one.
std::string folderPath(std::string_view path) {
    const std::string drive = ExtractFileDrive(path);
    const std::string trimmed = ExcludeTrailingBackslash(path);
    return trimmed.size() <= drive.size() ? IncludeTrailingBackslash(drive) : trimmed;
}

}  // namespace

void DirectoryTree::setDirectory(std::string_view folder) {
    const std::string expanded = ExpandFileName(folder);
    const std::string full = expanded.empty() ? expanded : folderPath(expanded);
    if (full.empty() || !platform::directoryExists(full))
        throw Error("Папка \"" + std::string(folder) + "\" не найдена.");
    const std::string spelled = folderPath(LongPathName(full));

    std::vector<Item> items;
    const std::string drive = ExtractFileDrive(spelled);
    items.push_back({IncludeTrailingBackslash(drive), IncludeTrailingBackslash(drive), 0, true});
    std::string path = drive;
    const std::string below = spelled.substr(std::min(spelled.size(), drive.size() + 1));
    for (std::size_t start = 0; start < below.size();) {
        const std::size_t end = std::min(below.find('\\', start), below.size());
        const std::string name = below.substr(start, end - start);
        path += "\\" + name;
        items.push_back({name, path, static_cast<int>(items.size()), true});
        start = end + 1;
    }
    const int current = static_cast<int>(items.size()) - 1;
    for (const std::string& name : subfolders(spelled))
        items.push_back({name, IncludeTrailingBackslash(spelled) + name, current + 1, false});

    directory_ = spelled;
    items_ = std::move(items);
    currentIndex_ = current;
}

void DirectoryTree::openItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    const std::string path = items_[static_cast<std::size_t>(index)].path;
    setDirectory(path);
}

std::string DirectoryTree::drive() const { return ExtractFileDrive(directory_); }

void DirectoryTree::setDrive(std::string_view drive) {
    if (sameText(drive, this->drive())) return;
    setDirectory(IncludeTrailingBackslash(drive));
}

}  // namespace vk
