#include "platform/ShellLinkFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/Error.h"
#include "platform/LittleEndian.h"
#include "support/TestFiles.h"

namespace vk::platform {
namespace {

const ShellLinkData kProgramLink{"C:\\Program Files\\Талвекс\\Кронта\\Vorkast.exe", "/base Главная",
                                 "C:\\Program Files\\Талвекс\\Кронта", "Кронта: рабочее место"};

ShellLinkData roundTrip(const ShellLinkData& link) {
    MemoryStream stream(encodeShellLink(link), "link.lnk");
    return decodeShellLink(stream);
}

void expectSame(const ShellLinkData& a, const ShellLinkData& b) {
    EXPECT_EQ(a.path, b.path);
    EXPECT_EQ(a.arguments, b.arguments);
    EXPECT_EQ(a.workingFolder, b.workingFolder);
    EXPECT_EQ(a.description, b.description);
}

std::string run(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return output;
    std::array<char, 512> chunk;
    while (std::size_t n = std::fread(chunk.data(), 1, chunk.size(), pipe.get())) output.append(chunk.data(), n);
    return output;
}

TEST(ShellLinkFile, KeepsLocalNetworkAndCyrillicTargets) {
    expectSame(roundTrip(kProgramLink), kProgramLink);
    const ShellLinkData network{"\\\\Сервер\\Vorkast\\Bin\\Vorkast.exe", "", "\\\\Сервер\\Vorkast\\Bin", ""};
    expectSame(roundTrip(network), network);
    const ShellLinkData share{"\\\\server\\share", "", "", "just a share"};
    expectSame(roundTrip(share), share);
    // A character outside Windows-1251 survives in the Unicode copies.
    const ShellLinkData wide{"C:\\Docs\\日本.txt", "", "", "€ and 日本"};
    expectSame(roundTrip(wide), wide);
}

TEST(ShellLinkFile, LnkinfoShowsPathWorkingFolderAndDescription) {
    if (run("command -v lnkinfo").empty()) GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
    const auto path = std::filesystem::temp_directory_path() / "vk_shell_link_test.lnk";
    test::writeHostFile(path, encodeShellLink(kProgramLink));
    const std::string shown = run("lnkinfo '" + path.string() + "' 2>&1");
    std::filesystem::remove(path);
    EXPECT_NE(shown.find(kProgramLink.path), std::string::npos) << shown;
    EXPECT_NE(shown.find("Working directory\t\t: " + kProgramLink.workingFolder), std::string::npos) << shown;
    EXPECT_NE(shown.find(kProgramLink.description), std::string::npos) << shown;
    EXPECT_NE(shown.find(kProgramLink.arguments), std::string::npos) << shown;
}

TEST(ShellLinkFile, RejectsTruncatedAndDamagedLinks) {
    const auto good = encodeShellLink(kProgramLink);
    for (std::size_t length = 0; length + 4 < good.size(); ++length) {  // the last 4 bytes end the extra data
        MemoryStream cut(std::vector<std::uint8_t>(good.begin(), good.begin() + length), "cut.lnk");
        EXPECT_THROW(decodeShellLink(cut), Error) << "accepted " << length << " of " << good.size() << " bytes";
    }
    auto damaged = [&good](std::size_t offset, std::uint32_t value) {
        auto bytes = good;
        storeLe32(bytes.data() + offset, value);
        MemoryStream stream(std::move(bytes), "bad.lnk");
        try {
            decodeShellLink(stream);
            ADD_FAILURE() << "accepted a link with " << value << " at " << offset;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("bad.lnk"), std::string::npos) << e.what();
        }
    };
    constexpr std::size_t info = 0x4C;
    damaged(4, 0);                       // not the shell link class
    damaged(info, 0xFFFFFFF0u);          // link info larger than the file
    damaged(info + 4, 0x1000);           // link info header larger than link info
    damaged(info + 28, 0x7FFFFFFF);      // local base path past link info
}

}  // namespace
}  // namespace vk::platform
