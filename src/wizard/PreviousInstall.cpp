#include "wizard/PreviousInstall.h"

#include "datalib/Paths.h"
#include "dbenv/RegStrings.h"
#include "datalib/WinUtils.h"
#include "platform/FileSystem.h"

namespace vk {

namespace {

constexpr std::string_view kRunInfoKey = "SOFTWARE\\Vorkast\\RunInfo";
constexpr std::string_view kInprocServerKey = "CLSID\\{B03F1D31-B556-11D4-A571-0000E8D9CBDB}\\InprocServer32";

}  // namespace

std::string DefaultProgramFolder() { return ExtractFileDrive(WindowsDir()) + "\\Program Files\\Talvex\\Vorkast"; }

std::string LongPathName(std::string_view path) {
    std::string remaining(path);
    std::string result;
    do {
        const std::vector<platform::FoundFile> found = platform::findFiles(remaining);
        if (found.empty()) break;
        result = "\\" + found.front().name + result;
        remaining = ExtractFileDir(remaining);
    } while (remaining.size() > 2);
    // A path of which not even the last name is found (a drive root among
    // them) stays as given, rather than shrink to a bare "C:".
    if (result.empty()) return std::string(path);
    return ExtractFileDrive(remaining) + result;
}

std::string FindPreviousInstall() {
    std::string rootDir = ReadRegString(platform::RootKey::CurrentUser, kRunInfoKey, "RootDir");
    if (!rootDir.empty()) return rootDir;
    // Without a registered server there is no folder to look in: an empty
    // entry must not send the search to the root of the current drive.
    const std::string server = ReadRegString(platform::RootKey::ClassesRoot, kInprocServerKey, "");
    if (server.empty()) return {};
    const std::string folder = ExtractFileDir(ExpandFileName(server));
    if (!platform::fileExists(IncludeTrailingBackslash(folder) + "Vorkast.exe")) return {};
    return LongPathName(folder);
}

}  // namespace vk
