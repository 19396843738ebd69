// The installer's entry. For now it inspects the machine through the platform
// layer and reads through the payload it carries, writes what it found to
// "VorkastSetup.log" in the temporary folder (and to standard output when
// there is one), then ends with 0; exit code 1 tells that the machine could
// not be inspected or the payload is missing or unreadable.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "engine/IMDTools.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Resources.h"
#include "platform/SpecialFolders.h"

namespace {

constexpr int kCommonPrograms = 23;
constexpr int kLocalAppData = 28;

std::string machineReport() {
    using namespace vk::platform;
    std::ostringstream report;
    report << "Computer: " << computerName() << "\n"
           << "Windows folder: " << windowsFolder() << "\n"
           << "System folder: " << systemFolder() << "\n"
           << "Temporary folder: " << tempFolder() << "\n"
           << "Current folder: " << currentFolder() << "\n"
           << "Common programs: " << specialFolderPath(kCommonPrograms) << "\n"
           << "Local application data: " << specialFolderPath(kLocalAppData) << "\n";
    return report.str();
}

// The resources the installer carries: the payload walked record by record,
// as the install thread will, and the size of the version history.
std::string resourceReport() {
    vk::TTransporter payload;
    payload.OpenStream(vk::platform::ownResource("TRSData"));
    int records = 0;
    for (payload.first(); !payload.eof(); payload.next()) ++records;
    std::unique_ptr<vk::Stream> history = vk::platform::ownResource("History");
    return "Payload records: " + std::to_string(records) + "\n" +
           "Version history: " + (history ? std::to_string(history->size()) + " bytes" : "none") + "\n";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        std::string report = machineReport() + resourceReport();
        std::string logPath = vk::platform::tempFolder() + "VorkastSetup.log";
        auto log = vk::platform::openFile(logPath, vk::platform::FileMode::Create);
        log->write(report.data(), report.size());
        std::fputs(report.c_str(), stdout);
        std::fputs(("Log: " + logPath + "\n").c_str(), stdout);
        return 0;
    } catch (const vk::Error& error) {
        std::fputs((std::string(error.what()) + "\n").c_str(), stderr);
        return 1;
    }
}
