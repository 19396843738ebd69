// Shortcuts as every platform must save and read them.
#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/ShellLink.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

TEST(ShellLinkContract, ASavedLinkReadsBackWhole) {
    test::TestMachine machine;
    ShellLinkData link;
    link.path = machine.scratch() + "\\Кронта\\Vorkast.exe";
    link.arguments = "/config \"Бухгалтерия 2\"";
    link.workingFolder = machine.scratch() + "\\Кронта";
    link.description = "Система автоматизированного учета";
    ASSERT_TRUE(createDirectory(link.workingFolder));
    { auto target = openFile(link.path, FileMode::Create); }

    std::string lnk = machine.scratch() + "\\Кронта.lnk";
    ASSERT_TRUE(saveShellLink(link, lnk));
    auto back = readShellLink(lnk);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->path, link.path);
    EXPECT_EQ(back->arguments, link.arguments);
    EXPECT_EQ(back->workingFolder, link.workingFolder);
    EXPECT_EQ(back->description, link.description);
}

TEST(ShellLinkContract, WhatIsNoLinkReadsAsNone) {
    test::TestMachine machine;
    EXPECT_EQ(readShellLink(machine.scratch() + "\\missing.lnk"), std::nullopt);
    {
        auto text = openFile(machine.scratch() + "\\text.lnk", FileMode::Create);
        text->write("not a link", 10);
    }
    EXPECT_EQ(readShellLink(machine.scratch() + "\\text.lnk"), std::nullopt);
    EXPECT_FALSE(saveShellLink({"C:\\x.exe", "", "", ""}, machine.scratch() + "\\NoFolder\\x.lnk"));
}

}  // namespace
}  // namespace vk::platform
