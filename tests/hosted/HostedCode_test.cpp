// Programs and libraries on the hosted machine: refused unless machine.ini
// allows them, then run from the mapped path.
#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <thread>

#include "hosted/HostedTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/HostEnvironment.h"
#include "platform/Library.h"
#include "platform/Process.h"
#include "support/Eventually.h"
#include "support/TestMachine.h"

namespace vk::platform::hosted {
namespace {

using test::readHostFile;
using test::writeHostFile;

class HostedCode : public ::testing::Test {
protected:
    // A script that lists its arguments, one a line, in "args.txt" of its current folder.
    void writeArgumentLister(const std::string& windowsPath) {
        writeHostFile(toHostPath(windowsPath), "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > args.txt\n");
    }
    void installRegistrar(const std::string& windowsPath) {
        std::filesystem::copy_file(VK_TEST_REGISTRAR, toHostPath(windowsPath));
    }

    vk::test::TestMachine machine;
};

TEST_F(HostedCode, NothingRunsOrLoadsUnlessTheMachineAllowsIt) {
    std::string command = machine.exitingCommand(0);
    installRegistrar("C:\\Scratch\\Control.ocx");
    EXPECT_EQ(startProcess(command, machine.scratch(), Wait::Forever), std::nullopt);
    EXPECT_FALSE(fileExists(machine.scratch() + "\\ran"));
    EXPECT_EQ(loadLibrary("C:\\Scratch\\Control.ocx"), nullptr);
}

TEST_F(HostedCode, ALibraryLoadsFromItsMappedPathAndItsEntryIsCalled) {
    machine.allowPrograms();
    installRegistrar(systemFolder() + "\\Control.ocx");
    auto library = loadLibrary("C:\\windows\\SYSTEM32\\control.OCX");
    ASSERT_NE(library, nullptr);
    EXPECT_TRUE(library->hasExport("DllRegisterServer"));
    EXPECT_FALSE(library->hasExport("DllCanUnloadNow"));
    EXPECT_EQ(library->callHresultExport("DllRegisterServer"), 0x2A);
    EXPECT_EQ(library->callHresultExport("DllCanUnloadNow"), std::nullopt);

    EXPECT_NE(loadLibrary("Control.ocx"), nullptr);  // found in the system folder
    EXPECT_EQ(loadLibrary("Absent.dll"), nullptr);
    writeHostFile(toHostPath(machine.scratch() + "\\GDS32.DLL"), "MZ not a shared object");
    EXPECT_EQ(loadLibrary(machine.scratch() + "\\GDS32.DLL"), nullptr);
}

// A library that faults in its entry fails that call; the process goes on,
// and its own faults after the call are its own again.
TEST_F(HostedCode, AFaultInsideAnEntryFailsTheCallNotTheProcess) {
    machine.allowPrograms();
    std::filesystem::copy_file(VK_TEST_FAULTING_REGISTRAR, toHostPath(machine.scratch() + "\\Broken.ocx"));
    auto library = loadLibrary(machine.scratch() + "\\Broken.ocx");
    ASSERT_NE(library, nullptr);
    struct sigaction before {};
    sigaction(SIGSEGV, nullptr, &before);
    for (int attempt = 0; attempt < 2; ++attempt)
        test::expectErrorStartingWith([&] { library->callHresultExport("DllRegisterServer"); },
                                      "C:\\Scratch\\Broken.ocx: DllRegisterServer: the call ended with Segmentation fault");
    struct sigaction after {};
    sigaction(SIGSEGV, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler) << "the guard's handler stays installed";
}

TEST_F(HostedCode, ScriptsRunWithTheirArgumentsSplitAsWindowsSplitsThem) {
    machine.allowPrograms();
    std::filesystem::create_directories(toHostPath("C:\\Program Files\\Vorkast"));
    writeArgumentLister("C:\\Program Files\\Vorkast\\Korvex.exe");  // no executable bit, as installed files
    auto code = startProcess("C:\\Program Files\\Vorkast\\Korvex /reg \"two words\" a\\\"b", machine.scratch(),
                             Wait::Forever);
    EXPECT_EQ(code, std::optional<std::uint32_t>(0));
    EXPECT_EQ(readHostFile(toHostPath(machine.scratch() + "\\args.txt")), "/reg\ntwo words\na\"b\n");
}

TEST_F(HostedCode, AWindowsImageIsNotRunAndAnUnwaitedProgramStillRuns) {
    machine.allowPrograms();
    writeHostFile(toHostPath(machine.scratch() + "\\Setup.exe"), "MZ\x90\0 a Windows program");
    EXPECT_EQ(startProcess(machine.scratch() + "\\Setup.exe", {}, Wait::None), std::nullopt);

    ASSERT_TRUE(setCurrentFolder(machine.scratch()));
    EXPECT_EQ(startProcess(machine.exitingCommand(3), {}, Wait::None), std::optional<std::uint32_t>(0));
    EXPECT_TRUE(vk::test::eventually([] { return fileExists("ran"); }, std::chrono::seconds(10)));
}

// A program counts as started where Windows would start it, run or not; the
// install thread starts some while the wizard's thread takes the record.
TEST_F(HostedCode, TheProgramsThatWindowsWouldStartAreNotedInOrder) {
    takeStartedProcesses();
    writeHostFile(toHostPath(machine.scratch() + "\\Korvex.exe"), "a stand-in");
    const std::string korvex = "\"" + machine.scratch() + "\\Korvex.exe\" -regserver";
    EXPECT_EQ(startProcess(korvex, {}, Wait::Forever), std::nullopt);
    EXPECT_EQ(startProcess(machine.scratch() + "\\Absent.exe", {}, Wait::Forever), std::nullopt);
    EXPECT_EQ(startProcess(korvex, machine.scratch() + "\\NoSuchFolder", Wait::Forever), std::nullopt);
    EXPECT_EQ(takeStartedProcesses(), std::vector<std::string>{korvex});

    std::vector<std::string> taken;
    std::thread installer([&] {
        for (int i = 0; i < 200; ++i) startProcess(korvex + " " + std::to_string(i), {}, Wait::Forever);
    });
    for (int i = 0; i < 50; ++i)
        for (std::string& line : takeStartedProcesses()) taken.push_back(std::move(line));
    installer.join();
    for (std::string& line : takeStartedProcesses()) taken.push_back(std::move(line));
    ASSERT_EQ(taken.size(), 200u);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(taken[i], korvex + " " + std::to_string(i));
}

}  // namespace
}  // namespace vk::platform::hosted
