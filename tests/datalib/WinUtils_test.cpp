#include "datalib/WinUtils.h"

#include <gtest/gtest.h>

#include "forms/FrontEnd.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "support/TestFiles.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using test::readFile;
using test::writeFile;

TEST(WinUtils, SystemFoldersEndAsCallersExpect) {
    test::TestMachine machine;
    for (const std::string& folder : {SystemDir(), WindowsDir()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_EQ(folder.back(), '\\') << folder;
        EXPECT_NE(folder.substr(folder.size() - 2), "\\\\") << folder;
    }
    EXPECT_FALSE(TempDir().empty());
    for (int csidl : {23, 28}) {
        const std::string folder = GetSpecialFolder(csidl);
        ASSERT_FALSE(folder.empty()) << csidl;
        EXPECT_NE(folder.back(), '\\') << folder;
    }
    EXPECT_FALSE(ComputerName().empty());
}

TEST(WinUtils, ForceDirMakesEveryMissingLevel) {
    test::TestMachine machine;
    EXPECT_TRUE(ForceDir(machine.scratch()));
    const std::string deep = machine.scratch() + "\\Талвекс\\Кронта";
    EXPECT_TRUE(ForceDir(deep));
    EXPECT_TRUE(platform::directoryExists(deep));
    EXPECT_TRUE(ForceDir(deep));  // already there

    writeFile(machine.scratch() + "\\file", "x");
    EXPECT_FALSE(ForceDir(machine.scratch() + "\\file\\sub"));
    EXPECT_FALSE(ForceDir(machine.scratch() + "\\file"));
}

TEST(WinUtils, ExpandFileNameCompletesPathsAsTheSystemDoes) {
    test::TestMachine machine;
    const std::string base = machine.scratch();
    const std::string drive = base.substr(0, 2);
    ASSERT_TRUE(ForceDir(base + "\\Два"));
    const std::string before = platform::currentFolder();
    ASSERT_TRUE(platform::setCurrentFolder(base + "\\Два"));
    const struct {
        std::string path;
        std::string full;
    } cases[] = {
        {"", ""},
        {"Файл.dll", base + "\\Два\\Файл.dll"},
        {"..\\Три\\.\\x.dll", base + "\\Три\\x.dll"},
        {"\\Win\\x.dll", drive + "\\Win\\x.dll"},
        {"\\..\\..\\x.dll", drive + "\\x.dll"},
        {drive + "x.dll", base + "\\Два\\x.dll"},
        {"Q:x.dll", "Q:\\x.dll"},
        {"Q:\\A\\..\\B\\", "Q:\\B\\"},
        {"Q:/A//B", "Q:\\A\\B"},
        {"Q:\\..", "Q:\\"},
        {"\\\\host\\share\\A\\..\\..\\B", "\\\\host\\share\\B"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExpandFileName(c.path), c.full) << c.path;
    platform::setCurrentFolder(before);
}

TEST(WinUtils, CopyFileToReplacesOrAppends) {
    test::TestMachine machine;
    const std::string source = machine.scratch() + "\\Источник.txt";
    const std::string dest = machine.scratch() + "\\dest.txt";
    CopyFileTo(source, dest, false);  // no source: nothing happens
    EXPECT_FALSE(platform::fileExists(dest));

    writeFile(dest, "older and longer content");
    CopyFileTo(source, dest, false);
    EXPECT_EQ(readFile(dest), "older and longer content");

    writeFile(source, "new");
    CopyFileTo(source, dest, false);
    EXPECT_EQ(readFile(dest), "new");
    CopyFileTo(source, dest, true);
    EXPECT_EQ(readFile(dest), "newnew");

    CopyFileTo(source, source, false);  // onto itself: the file stays
    EXPECT_EQ(readFile(source), "new");
    CopyFileTo(source, source, true);   // appended once, not without end
    EXPECT_EQ(readFile(source), "newnew");
}

TEST(WinUtils, CopyFileToNamesTheFileItCannotWrite) {
    test::TestMachine machine;
    const std::string source = machine.scratch() + "\\source.txt";
    writeFile(source, "data");
    const std::string dest = machine.scratch() + "\\missing folder\\dest.txt";
    try {
        CopyFileTo(source, dest, false);
        FAIL() << "copied into a missing folder";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("dest.txt"), std::string::npos) << e.what();
    }
}

// A front end that only answers the folder chooser.
class ScriptedChoosers final : public forms::FrontEnd {
public:
    std::optional<std::string> answer;
    std::string initial;
    int root = -1;

    std::optional<std::string> browseForFolder(std::string_view start, int rootCsidl) override {
        initial = start;
        root = rootCsidl;
        return answer;
    }
    std::optional<std::string> openFile(std::string_view, std::string_view, std::string_view) override { unasked(); }
    int showModal(forms::Form&) override { unasked(); }
    int showMessage(const std::string&, forms::MsgDlgType, forms::MsgButtons) override { unasked(); }
    void showError(const std::string&) override { unasked(); }

private:
    [[noreturn]] static void unasked() { throw std::logic_error("only the folder chooser is expected"); }
};

TEST(WinUtils, BrowseForFolderChangesThePathOnlyForAChosenFolder) {
    ScriptedChoosers choosers;
    forms::FrontEndScope scope(choosers);
    std::string path = "C:\\Старая";

    choosers.answer = std::nullopt;  // cancelled
    EXPECT_FALSE(BrowseForFolder(path, 18));
    EXPECT_EQ(path, "C:\\Старая");
    EXPECT_EQ(choosers.initial, "C:\\Старая");
    EXPECT_EQ(choosers.root, 18);

    choosers.answer = "";  // a folder without a file-system path
    EXPECT_FALSE(BrowseForFolder(path, 0));
    EXPECT_EQ(path, "C:\\Старая");

    choosers.answer = "D:\\Новая";
    EXPECT_TRUE(BrowseForFolder(path, 0));
    EXPECT_EQ(path, "D:\\Новая");
}

}  // namespace
}  // namespace vk
