// TfmURM, TfmNet and the DBX page's questions driven by scenario files
// through the hosted player; each must give its transcript, which the UI
// driver gives too where the scenario runs under Wine (dialogs/*.sh).
#include <gtest/gtest.h>

#include "dbenv/ConnectionParams.h"
#include "dbenv/ConnectionTestSupport.h"
#include "dbenv/dialogs/DialogHost.h"
#include "forms/Player.h"
#include "platform/FileSystem.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using platform::hosted::test::readHostFile;

std::string dialogsFile(const std::string& name) { return readHostFile(VK_SOURCE_DIR "/tests/dbenv/dialogs/" + name); }

// Plays NAME.scenario against a fresh host; the transcript, or the player's failure.
std::string play(const std::string& name) {
    test::TfmDialogHost host;
    forms::Transcript transcript;
    forms::Player player(transcript);
    try {
        player.play(host, forms::parseScenario(dialogsFile(name + ".scenario"), name + ".scenario"));
    } catch (const forms::ScenarioError& error) {
        return transcript.text() + "FAILED: " + error.what() + "\n";
    }
    return transcript.text();
}

TEST(Dialogs, TheLinkDialogKeepsItsStateAndCancelChangesNothing) {
    test::TestMachine machine;
    EXPECT_EQ(play("urm"), dialogsFile("urm.transcript"));
}

TEST(Dialogs, TheExchangeFolderIsTestedAndTheProtocolTakenOnlyOnOk) {
    test::TestMachine machine;
    EXPECT_EQ(play("net"), dialogsFile("net.transcript"));
    EXPECT_TRUE(platform::directoryExists("C:\\VkExchange\\Clients"));
    EXPECT_FALSE(platform::fileExists("C:\\VkExchange\\Clients\\Vorkast.tmp"));
}

TEST(Dialogs, AFolderThatCannotBeWrittenKeepsTheDialogOpen) {
    test::TestMachine machine;
    platform::createDirectory("C:\\Shared");
    std::filesystem::create_directories(platform::hosted::machineFolder() / "UNC" / "srv" / "share");
    platform::hosted::test::reconfigure("[ReadOnly]\nFolder=C:\\Shared\n");
    EXPECT_EQ(play("net-readonly"), dialogsFile("net-readonly.transcript"));
    EXPECT_FALSE(platform::directoryExists("C:\\Shared\\Clients"));
}

TEST(Dialogs, TheConnectionPageNamesTheFirstMissingFile) {
    test::TestMachine machine;
    platform::hosted::test::reconfigure("[Machine]\nComputerName=ALPHA\n");
    test::placeTemplate("C:\\Base\\Vorkast.dbx");
    {
        ConnectionStorage storage;
        storage.FileStorage1.setFileName("C:\\Base\\Vorkast.dbx");
        storage.FileStorage1.loadSets();
        UpsertParam(storage.sets.dbParams, cnConfig, "SERVER NAME", "ALPHA:D:\\Base\\CONFIG.GDB");
        storage.FileStorage1.saveSets();
    }
    platform::hosted::test::writeHostFile(platform::hosted::toHostPath("D:\\Base\\VkConfig.gdb"), "database");
    EXPECT_EQ(play("dbx"), dialogsFile("dbx.transcript"));
}

}  // namespace
}  // namespace vk
