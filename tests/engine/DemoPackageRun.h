#pragma once
// A server installation of the build's demo package, as the wizard starts it,
// and what it must leave behind. Shared by the hosted test, which reads the
// build's payload.trs, and the Windows test, which installs from the TRSData
// resource of its own program into the real registry and file system.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "InstallFixture.h"
#include "engine/InstallLog.h"
#include "platform/Registry.h"

namespace vk::test {

class DemoPackageRun : public InstallFixture {
protected:
    using PayloadOpener = std::function<std::unique_ptr<Stream>()>;
    explicit DemoPackageRun(PayloadOpener openPayload) : openPayload_(std::move(openPayload)) {}

    std::unique_ptr<TProcessThread> demoThread() {
        auto thread = serverThread();
        thread->OpenPayload = openPayload_;
        return thread;
    }

    // Runs a thread to its end with a fresh recorder.
    void runDemo(std::unique_ptr<TProcessThread> thread) {
        recorder = ProgressRecorder();
        recorder.onStatus = [this](std::uint32_t status) {
            if (status == psRegistering) registrationBegins();
        };
        run(std::move(thread));
        runEnded();
    }
    // For a fixture that acts while the thread waits at the start of its
    // registration phase (the payload's files are in place, nothing is
    // registered yet), and after every run.
    virtual void registrationBegins() {}
    virtual void runEnded() {}

    // One run: every file in the folder of its kind, the log read back from
    // "VksUnSt.trs" in the order things happened and ending with its own
    // entry, and the product registered for removal.
    void checkServerRun() {
        auto thread = demoThread();
        const std::string bde = thread->BdeFolder, database = thread->DataBaseFolder;
        runDemo(std::move(thread));
        ASSERT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;
        EXPECT_EQ(recorder.lines[1], "RANGE 31");

        // The build's own program (a stand-in on the hosted build), as packed.
        EXPECT_EQ(readFile(local + "\\Korvex.exe"), readHostFile(VK_BINARY_DIR "/payload/programs/Korvex.exe"));
        for (const std::string& file :
             {local + "\\Vorkast.exe", local + "\\VkExport.dll", WindowsDir() + "VksUnSt.exe",
              database + "\\VkConfig.gdb", database + "\\Setup1.dbx", SystemDir() + "Kerno2.bpl",
              bde + "\\IDAPI32.DLL", local + "\\Help\\VKREPORTS.CHM", local + "\\Docs\\Руководство.pdf"})
            EXPECT_TRUE(platform::fileExists(file)) << file;
        EXPECT_FALSE(platform::fileExists(SystemDir() + "GDS32.DLL"));                      // client part only
        EXPECT_FALSE(platform::fileExists(local + "\\Корректировки\\Корректировка1.txt"));  // not in this package's flags

        RegisterUninstallAndSaveLog(*log, kProductCaption, local);
        TTransporter saved;
        saved.OpenStream(platform::openFile(InstallLogPath(), platform::FileMode::OpenRead));
        const std::vector<LogEntry> onDisk = readLog(saved);
        ASSERT_EQ(onDisk, entries());

        // Kinds in the order things happened.
        std::string order;
        for (const LogEntry& entry : onDisk)
            if (order.empty() || order.substr(order.rfind(' ') + 1) != entry.kind) order += " " + entry.kind;
        EXPECT_EQ(order, " TARGET BDEDIR DBDIR FILE FOLDER OCXREG SRVREG FILE");
        EXPECT_EQ(entriesOf(logkind::File).size(), 31u);  // 28 records installed, Kerno1 and 2 twice, and the log
        EXPECT_EQ(entriesOf(logkind::OcxReg).size(), 4u);
        EXPECT_EQ(onDisk.back(), (LogEntry{logkind::File, InstallLogPath(), 0}));

        auto key = platform::openRegistryKey(platform::RootKey::LocalMachine, kUninstallKey, false);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->readString("DisplayIcon"), local + "\\Vorkast.exe");
    }

    // A second run over the first logs only the system copies of the runtime
    // packages, which it deletes before copying; the log it saves still
    // names everything the first run made.
    void checkSecondRun() {
        runDemo(demoThread());
        ASSERT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;
        RegisterUninstallAndSaveLog(*log, kProductCaption, local);
        const auto firstSaved = savedEntries();
        log = newLog();
        runDemo(demoThread());
        ASSERT_EQ(recorder.lines.back(), "FINISHED 0") << recorder.failure;
        EXPECT_EQ(entriesOf(logkind::File),
                  (std::vector<LogEntry>{{logkind::File, SystemDir() + "Kerno1.bpl", fkSystemPackage},
                                         {logkind::File, SystemDir() + "Kerno2.bpl", fkSystemPackage}}));
        RegisterUninstallAndSaveLog(*log, kProductCaption, local);
        EXPECT_EQ(savedEntries(), firstSaved);
    }

    // The saved log's entries, in an order of their own.
    std::multiset<std::tuple<std::string, std::string, std::int64_t>> savedEntries() {
        TTransporter saved;
        saved.OpenStream(platform::openFile(InstallLogPath(), platform::FileMode::OpenRead));
        std::multiset<std::tuple<std::string, std::string, std::int64_t>> set;
        for (const LogEntry& entry : readLog(saved)) set.insert({entry.kind, entry.value, entry.number});
        return set;
    }

private:
    PayloadOpener openPayload_;
};

}  // namespace vk::test
