// The wizard form driven in-process, for what no scenario reaches: the
// shipped package never offers the part choice, and the install thread's
// messages are sent by hand.
#include "wizard/fSetup.h"

#include <gtest/gtest.h>

#include "datalib/WinUtils.h"
#include "dbenv/RegStrings.h"
#include "engine/InstallFixture.h"
#include "forms/Player.h"
#include "support/TestFiles.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

TfmSetup::ResourceOpener noResources() {
    return [](std::string_view) { return std::unique_ptr<Stream>(); };
}

bool rowChecked(const TfmSetup& wizard, int row) { return wizard.lvConfigs.item(row)->checked; }

TEST(TfmSetup, TheClientPartUnchecksTheConfigurationsAndTheServerPartGetsBackTheUsersChecks) {
    test::TestMachine machine;
    TfmSetup wizard(noResources());
    ASSERT_EQ(wizard.lvConfigs.count(), 1);
    ASSERT_TRUE(rowChecked(wizard, 0));

    wizard.rbClient.setChecked(true);
    EXPECT_FALSE(rowChecked(wizard, 0));
    EXPECT_FALSE(wizard.cbDBAndMenu.checked());
    EXPECT_EQ(wizard.nbInfo.activePage()->name(), "GDS");
    wizard.rbServer.setChecked(true);
    EXPECT_TRUE(rowChecked(wizard, 0));
    EXPECT_TRUE(wizard.cbDBAndMenu.checked());
    EXPECT_EQ(wizard.nbInfo.activePage()->name(), "DataBase");

    // A row the user unticked for the server part stays unticked after a visit to the client part.
    wizard.lvConfigs.userSetChecked(0, false);
    wizard.rbClient.setChecked(true);
    wizard.rbServer.setChecked(true);
    EXPECT_FALSE(rowChecked(wizard, 0));
}

TEST(TfmSetup, TheProgressBarFollowsThePhasesAndAStepAfterTheEndLeavesItHidden) {
    test::TestMachine machine;
    TfmSetup wizard(noResources());
    wizard.processStatus(psCopying, nullptr);
    EXPECT_TRUE(wizard.lbCopying.bold());
    wizard.processRange(3);
    wizard.processStatus(psText, "Vorkast.exe");
    wizard.processStep();
    EXPECT_TRUE(wizard.pbMain.visible());
    EXPECT_EQ(wizard.pbMain.position(), 1);
    EXPECT_EQ(wizard.pbMain.maximum(), 3);
    EXPECT_EQ(wizard.lbProcess.caption(), "Vorkast.exe");
    wizard.processEndPhase(0);
    wizard.processStep();
    EXPECT_FALSE(wizard.pbMain.visible());
    EXPECT_EQ(wizard.pbMain.position(), 0);
    wizard.processStatus(psText, nullptr);
    EXPECT_EQ(wizard.lbProcess.caption(), "");
    wizard.processStatus(psRegistering, nullptr);
    EXPECT_FALSE(wizard.lbCopying.bold());
    EXPECT_TRUE(wizard.lbRegister.bold());
    wizard.processRange(2);
    EXPECT_EQ(wizard.pbMain.position(), 0);
    EXPECT_TRUE(wizard.pbMain.visible());
}

TEST(TfmSetup, NoCloseWhileTheInstallThreadRuns) {
    test::TestMachine machine;
    TfmSetup wizard(noResources());
    TProcessThread* const running = reinterpret_cast<TProcessThread*>(&wizard);  // only compared, never used
    wizard.Worker = running;
    wizard.Close();
    EXPECT_FALSE(wizard.ended());
    wizard.Worker = nullptr;
    wizard.Close();
    EXPECT_TRUE(wizard.ended());
}

TEST(TfmSetup, TheStartUpFollowsThePackageProfile) {
    test::TestMachine machine;
    TfmSetup shipped(noResources());
    EXPECT_EQ(shipped.caption(), "АС Кронта 3.1 - установка версии [5608] от 22.08.2007");
    EXPECT_EQ(shipped.nbFirst.activePage()->name(), "Demo");
    EXPECT_TRUE(shipped.rbServer.checked());
    EXPECT_TRUE(shipped.cbURM.enabled());
    EXPECT_FALSE(shipped.LinkQuestionAsked);

    TfmSetup update(noResources(), kPackageFlags | pfUpdatePackage | pfUpdateConnection);
    EXPECT_EQ(update.nbFirst.activePage()->name(), "Info");
    EXPECT_EQ(update.nbInfo.activePage()->name(), "DBX");
    EXPECT_EQ(update.lbHistory.hint(), "Показать список доработок в обновлении");
    EXPECT_FALSE(update.cbURM.enabled());
    EXPECT_TRUE(update.LinkQuestionAsked);

    TfmSetup bare(noResources(), pfPrograms);
    EXPECT_FALSE(bare.lvConfigs.enabled());
    EXPECT_EQ(bare.lvConfigs.count(), 0);
    EXPECT_FALSE(bare.cbBDE.enabled());
    EXPECT_FALSE(bare.cbDBAndMenu.checked());
    EXPECT_FALSE(bare.cbDBAndMenu.enabled());
    EXPECT_FALSE(bare.cbIBClient.checked());
    EXPECT_FALSE(bare.cbIBClient.enabled());
    EXPECT_FALSE(bare.rbFirebird.enabled());
    EXPECT_FALSE(bare.cbRegister.checked());
    EXPECT_FALSE(bare.cbURM.enabled());
}

TEST(TfmSetup, AnEngineIsOfferedWhereOnlyItsConfigurationIsLeft) {
    test::TestMachine machine;
    WriteRegString(platform::RootKey::LocalMachine, "SoftWare\\Borland\\DataBase Engine", "DLLPATH", "C:\\BDE");
    {
        TfmSetup removed(noResources());
        EXPECT_TRUE(removed.cbBDE.checked());
        EXPECT_EQ(removed.BdeFolder, "C:\\BDE");  // where the configuration points
    }
    ASSERT_TRUE(ForceDir("C:\\BDE"));
    test::writeFile("C:\\BDE\\idapi32.dll", "engine");
    TfmSetup installed(noResources());
    EXPECT_FALSE(installed.cbBDE.checked());
}

}  // namespace
}  // namespace vk
