// A static set kept on its own in a file.
#include "datalib/StaticSet.h"
#include "platform/FileSystem.h"

namespace vk {

void TStaticSet::saveToFile(const std::string& fileName) {
    if (fileName.empty()) return;
    auto file = platform::openFile(fileName, platform::FileMode::Create);
    saveToStream(*file);
}

void TStaticSet::loadFromFile(const std::string& fileName) {
    if (!platform::fileExists(fileName)) return;
    auto file = platform::openFile(fileName, platform::FileMode::OpenRead);
    loadFromStream(*file);
}

}  // namespace vk
