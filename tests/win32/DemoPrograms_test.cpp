// The demo package's own programs, as built for the payload: they run, show
// what they are and carry what the installer reads of them.
#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "platform/FileVersion.h"

namespace vk::test {
namespace {

const std::string kPrograms = VK_BINARY_DIR "\\demo-programs\\";

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(DemoPrograms, TheClientLibrariesNameTheirServerInTheTableTheInstallerReads) {
    EXPECT_EQ(platform::fileVersionString(kPrograms + "!1GDS32.DLL", "FileDescription"), "Firebird 1.0.3.972");
    EXPECT_EQ(platform::fileVersionString(kPrograms + "!1GDS32.DLL", "FileVersion"), "1.0.3.972");
    EXPECT_EQ(platform::fileVersionString(kPrograms + "!2GDS32.DLL", "FileDescription"), "Yaffil 1.1.3.854");
    EXPECT_EQ(platform::fileVersionString(kPrograms + "!2GDS32.DLL", "FileVersion"), "1.1.3.854");
}

TEST(DemoPrograms, TheMainProgramShowsItsFolderAndClosesOnEsc) {
    const ProgramRun run = runClosingWithEsc(kPrograms + "Vorkast.exe");
    ASSERT_EQ(run.messages.size(), 2u);
    EXPECT_EQ(run.messages[0], "АС Кронта 3.1");
    EXPECT_TRUE(contains(run.messages[1], "Папка установки: " VK_BINARY_DIR "\\demo-programs\n") ||
                contains(run.messages[1], "Папка установки: " VK_BINARY_DIR "\\demo-programs\r\n"))
        << run.messages[1];
    EXPECT_TRUE(contains(run.messages[1], "Файл подключения: ")) << run.messages[1];
    EXPECT_EQ(run.exitCode, 0u);
}

TEST(DemoPrograms, TheServerInstallerAndAServerStartedByHandShowAWindow) {
    for (const auto& [program, caption] :
         {std::pair{kPrograms + "Firebird_6-2-3-972-Win32.exe", "Установка сервера Firebird 1.0.3.972"},
          std::pair{kPrograms + "Korvex.exe", "Korvex"}}) {
        const ProgramRun run = runClosingWithEsc(program);
        ASSERT_EQ(run.messages.size(), 2u) << program;
        EXPECT_EQ(run.messages[0], caption);
        EXPECT_EQ(run.exitCode, 0u) << program;
    }
}

}  // namespace
}  // namespace vk::test
