// A server installation of the build's demo package, as the wizard starts it.
#include <gtest/gtest.h>

#include <fstream>

#include "InstallFixture.h"
#include "engine/InstallLog.h"
#include "platform/Registry.h"

namespace vk::test {
namespace {

std::string hostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DemoPackageTest : public InstallFixture {
protected:
    std::unique_ptr<TProcessThread> demoThread() {
        auto thread = serverThread();
        auto payload = std::make_shared<std::string>(hostFile(VK_BINARY_DIR "/payload.trs"));
        thread->OpenPayload = [payload] {
            return std::make_unique<MemoryStream>(std::vector<std::uint8_t>(payload->begin(), payload->end()));
        };
        return thread;
    }
};

TEST_F(DemoPackageTest, AServerRunPlacesEveryFileAndSavesALogTheUninstallerCanRead) {
    auto thread = demoThread();
    const std::string bde = thread->BdeFolder, database = thread->DataBaseFolder;
    run(std::move(thread));
    ASSERT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;
    EXPECT_EQ(recorder.lines[1], "RANGE 31");

    EXPECT_EQ(readFile(local + "\\Korvex.exe"), hostFile(VK_SOURCE_DIR "/package/files/Korvex.exe"));
    for (const std::string& file :
         {local + "\\Vorkast.exe", local + "\\VkExport.dll", WindowsDir() + "VksUnSt.exe", database + "\\VkConfig.gdb",
          database + "\\Setup1.dbx", SystemDir() + "Kerno2.bpl", bde + "\\IDAPI32.DLL", local + "\\Help\\VKREPORTS.CHM",
          local + "\\Docs\\Руководство.pdf"})
        EXPECT_TRUE(platform::fileExists(file)) << file;
    EXPECT_FALSE(platform::fileExists(SystemDir() + "GDS32.DLL"));            // client part only
    EXPECT_FALSE(platform::fileExists(local + "\\Корректировки\\Корректировка1.txt"));  // not in this package's flags

    RegisterUninstallAndSaveLog(*log, kProductCaption, local);
    TTransporter saved;
    saved.OpenStream(platform::openFile(WindowsDir() + "VksUnSt.trs", platform::FileMode::OpenRead));
    const std::vector<LogEntry> onDisk = readLog(saved);
    ASSERT_EQ(onDisk, entries());

    // Kinds in the order things happened.
    std::string order;
    for (const LogEntry& entry : onDisk)
        if (order.empty() || order.substr(order.rfind(' ') + 1) != entry.kind) order += " " + entry.kind;
    EXPECT_EQ(order, " TARGET BDEDIR DBDIR FILE FOLDER OCXREG SRVREG FILE");
    EXPECT_EQ(entriesOf("FILE").size(), 31u);  // 28 records installed, Kerno1 and 2 twice, and the log
    EXPECT_EQ(entriesOf("OCXREG").size(), 4u);
    EXPECT_EQ(onDisk.back(), (LogEntry{"FILE", WindowsDir() + "VksUnSt.trs", 0}));

    auto key = platform::openRegistryKey(platform::RootKey::LocalMachine, kUninstallKey, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readString("DisplayIcon"), local + "\\Vorkast.exe");
}

TEST_F(DemoPackageTest, ASecondRunLogsOnlyTheSystemCopiesItDeletedFirst) {
    run(demoThread());
    ASSERT_EQ(recorder.lines.back(), "FINISHED 0");
    log = newLog();
    recorder = ProgressRecorder();
    run(demoThread());
    ASSERT_EQ(recorder.lines.back(), "FINISHED 0");
    EXPECT_EQ(entriesOf("FILE"), (std::vector<LogEntry>{{"FILE", SystemDir() + "Kerno1.bpl", fkSystemPackage},
                                                         {"FILE", SystemDir() + "Kerno2.bpl", fkSystemPackage}}));
}

}  // namespace
}  // namespace vk::test
