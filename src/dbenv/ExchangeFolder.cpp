#include "dbenv/ExchangeFolder.h"

#include <string>

#include "datalib/Paths.h"
#include "datalib/WinUtils.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace vk {

void TestExchangeFolder(std::string_view folder) {
    if (folder.empty()) return;
    const Error notWritable{std::string(kExchangeFolderNotWritable)};
    try {
        const std::string testFile = std::string(folder) + "\\Clients\\Vorkast.tmp";
        if (!ForceDir(ExtractFileDir(testFile))) throw notWritable;
        platform::openFile(testFile, platform::FileMode::Create).reset();
        if (!platform::fileExists(testFile)) throw notWritable;
        platform::deleteFile(testFile);
    } catch (...) {
        throw notWritable;
    }
}

}  // namespace vk
