// The trs tool as its users run it: the built binary on real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "engine/TransportTestSupport.h"
#include "platform/PeImage.h"
#include "platform/PeImageBuilder.h"
#include "support/TestFiles.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using test::readHostFile;
using test::writeHostFile;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class Trs : public ::testing::Test {
protected:
    Outcome trs(const std::vector<std::string>& args) {
        std::string command = quote(VK_BINARY_DIR "/tools/trs");
        for (const auto& a : args) command += " " + quote(a);
        command += " >" + quote(path("stdout")) + " 2>" + quote(path("stderr"));
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readHostFile(path("stdout")),
                readHostFile(path("stderr"))};
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    const test::TempHostFolder folder_{"vk-trs"};
    const fs::path& dir_ = folder_.path();
};

const std::string kPayload = VK_BINARY_DIR "/payload.trs";

TEST_F(Trs, HelpAndWrongCommandLines) {
    Outcome help = trs({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("trs pack MANIFEST OUT"), std::string::npos);
    EXPECT_NE(help.out.find("a non-SZDD input is copied unchanged"), std::string::npos);
    EXPECT_EQ(trs({"frobnicate"}).status, 2);
    EXPECT_EQ(trs({"list"}).status, 2);
    Outcome missing = trs({"list", path("nothing.trs")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("nothing.trs"), std::string::npos) << missing.err;
}

TEST_F(Trs, ListsTheDemoPayload) {
    Outcome list = trs({"list", kPayload});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("records 31, fields 4, data start 164"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("field 0: ИмяФайла string (code 1, size 64)"), std::string::npos);
    EXPECT_NE(list.out.find("ИмяФайла=\"!2GDS32.DLL\" ТипФайла=256 Индекс=null Данные=<"), std::string::npos);
    EXPECT_NE(list.out.find("ИмяФайла=\"VkConfig.gdb\" ТипФайла=2 Индекс=1"), std::string::npos);

    Outcome json = trs({"list", "--json", kPayload});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"Индекс\": null, \"Данные\": {\"blobSize\": "), std::string::npos);
    writeHostFile(path("list.json"), json.out);
    if (std::system("python3 -c '' 2>/dev/null") != 0) GTEST_SKIP() << "python3 is not installed: JSON not validated";
    EXPECT_EQ(std::system(("python3 -m json.tool " + quote(path("list.json")) + " >/dev/null").c_str()), 0);
}

TEST_F(Trs, ExtractAndPackRoundTripTheDemoPayload) {
    ASSERT_EQ(trs({"extract", "--manifest", path("again.tsv"), kPayload, path("files")}).status, 0);
    EXPECT_EQ(readHostFile(path("files/Korvex.exe")), readHostFile(VK_SOURCE_DIR "/package/stand-ins/Korvex.exe"));
    EXPECT_EQ(readHostFile(path("files/Корректировка1.txt")),
              readHostFile(VK_SOURCE_DIR "/package/files/Корректировка1.txt"));
    EXPECT_EQ(fs::file_size(path("files/Vorkast.chm")), 57344u);

    Outcome pack = trs({"pack", path("again.tsv"), path("again.trs")});
    ASSERT_EQ(pack.status, 0) << pack.err;
    EXPECT_EQ(readHostFile(path("again.trs")), readHostFile(kPayload)) << "same records, same compressed bytes";
}

// A payload written by hand with one record per name, its name field declared nameSize long.
std::string payloadNamed(const std::vector<std::string>& names, std::uint16_t nameSize = 64) {
    test::Bytes records;
    for (const std::string& name : names) records.u8(0x0B).text(toCp1251(name)).i32(1).text("contents");
    test::Bytes all;
    all.i32(static_cast<std::int32_t>(names.size())).i32(4).i32(164).i32(164 + records.size()).i32(0);
    all.descriptor("ИмяФайла", 1, nameSize).descriptor("ТипФайла", 3, 4).descriptor("Индекс", 2, 2).descriptor("Данные", 16, 0);
    all.data.insert(all.data.end(), records.data.begin(), records.data.end());
    return std::string(all.data.begin(), all.data.end());
}
std::string payloadNamed(const char* name) { return payloadNamed(std::vector<std::string>{name}); }

TEST_F(Trs, ExtractNeverWritesOutsideItsFolder) {
    for (const std::string name : {"../escape.txt", "..\\escape.txt", "C:escape.txt", "..", "sub/escape.txt", "NUL"}) {
        SCOPED_TRACE(name);
        writeHostFile(path("evil.trs"), payloadNamed({name}));
        Outcome run = trs({"extract", path("evil.trs"), path("out/inner")});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("evil.trs: record 1 \"" + name + "\": the file name is refused"), std::string::npos)
            << run.err;
        EXPECT_FALSE(fs::exists(path("escape.txt")));
        EXPECT_FALSE(fs::exists(path("out")));
    }
    writeHostFile(path("plain.trs"), payloadNamed("plain.txt"));
    ASSERT_EQ(trs({"extract", path("plain.trs"), path("out")}).status, 0);
    EXPECT_EQ(readHostFile(path("out/plain.txt")), "contents") << "a value without the SZDD magic is copied";
}

// Every name is checked before the first file is written, the length that
// the file system would refuse half-way included.
TEST_F(Trs, ANameTooLongForAFileIsRefusedBeforeAnythingIsWritten) {
    const std::string longName(300, 'n');
    writeHostFile(path("long.trs"), payloadNamed({"first.txt", longName}, 65535));
    Outcome run = trs({"extract", path("long.trs"), path("out")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("long.trs: record 2 \"" + longName + "\": the file name is refused: the name is 300 bytes"),
              std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(path("out")));
}

// Too short for a header, or a header whose record count the data does not
// bear out: every command refuses the file through the one reader.
TEST_F(Trs, AFileThatIsNoTransportStreamIsRefusedByEveryCommand) {
    for (const std::string& text : {std::string(), std::string("not a log\n"), std::string(19, '\0')}) {
        writeHostFile(path("short.trs"), text);
        Outcome list = trs({"list", path("short.trs")});
        EXPECT_EQ(list.status, 1) << list.out;
        EXPECT_NE(list.err.find("short.trs: not a transport stream: " + std::to_string(text.size()) + " bytes"),
                  std::string::npos) << list.err;
    }
    std::string miscounted = payloadNamed({"a.txt", "b.txt"});
    miscounted[0] = 3;
    writeHostFile(path("miscounted.trs"), miscounted);
    for (const std::string command : {"list", "extract"}) {
        std::vector<std::string> args{command, path("miscounted.trs")};
        if (command == "extract") args.push_back(path("out"));
        Outcome run = trs(args);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find("the header counts 3 records but the data holds 2"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(path("out")));
}

// A link planted under the name of a tool's unfinished file (.part, .new)
// must not be followed out of the target folder.
TEST_F(Trs, OutputIsNeverWrittenThroughALinkPlantedBesideIt) {
    writeHostFile(path("victim.txt"), "keep me");
    writeHostFile(path("plain.trs"), payloadNamed("plain.txt"));
    writeHostFile(path("in.txt"), "some text to compress");
    fs::create_directories(path("out"));
    for (const std::string name : {"plain.txt", "packed.tx_"})
        for (const std::string suffix : {".part", ".new"}) fs::create_symlink(path("victim.txt"), path("out/" + name + suffix));

    ASSERT_EQ(trs({"extract", path("plain.trs"), path("out")}).status, 0);
    ASSERT_EQ(trs({"compress", path("in.txt"), path("out/packed.tx_")}).status, 0);
    EXPECT_EQ(readHostFile(path("victim.txt")), "keep me");
    EXPECT_EQ(readHostFile(path("out/plain.txt")), "contents");
    EXPECT_TRUE(fs::is_symlink(path("out/plain.txt.part")));
}

TEST_F(Trs, ReadsThePayloadResourceOfAnExecutable) {
    auto image = test::makeImage("TRSData", payloadNamed("inside.txt"));
    writeHostFile(path("Setup.exe"), std::string(image.bytes.begin(), image.bytes.end()));
    Outcome list = trs({"list", path("Setup.exe")});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("ИмяФайла=\"inside.txt\""), std::string::npos) << list.out;

    auto other = test::makeImage("History", "<html></html>");
    writeHostFile(path("Other.exe"), std::string(other.bytes.begin(), other.bytes.end()));
    Outcome missing = trs({"list", path("Other.exe")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Other.exe: the executable has no RCDATA resource TRSData"), std::string::npos);
}

// A listing's records with what differs between the two builds' payloads
// left out: the demo programs' bytes (real programs on Windows, stand-ins
// here) and so the offsets after the first of them.
std::string recordsApartFromPrograms(const std::string& listing) {
    static const std::regex offsets(" at [0-9]+:| data end [0-9]+");
    static const std::regex programBytes("(ИмяФайла=\"(Vorkast\\.exe|VksUnSt\\.exe|Korvex\\.exe|Lumtra\\.exe|Tablica\\.exe|"
                                         "Nadzor\\.exe|Vk[A-Za-z]+\\.ocx|![12]GDS32\\.DLL)\" .* Данные=)<[0-9]+ bytes>");
    const std::string records = listing.substr(listing.find('\n') + 1);  // the first line names the file
    return std::regex_replace(std::regex_replace(records, offsets, ""), programBytes, "$1<program>");
}

// The installer of the Windows build, when one is built beside this build:
// it carries the demo payload, made there by the Windows demogen and trs
// under Wine, record for record as the native tools make it here, with the
// real programs in place of the stand-ins.
TEST_F(Trs, ListsTheDemoPayloadInsideTheWindowsInstaller) {
    // The Windows build of this checkout: the 32-bit one, or the x86-64 one
    // where the machine runs no 32-bit code.
    std::string installer = VK_SOURCE_DIR "/build/win32/Setup.exe";
    if (!fs::exists(installer)) installer = VK_SOURCE_DIR "/build/win64/Setup.exe";
    if (!fs::exists(installer)) GTEST_SKIP() << "no Setup.exe built (cmake --build --preset win32, or win64)";
    Outcome inside = trs({"list", installer});
    ASSERT_EQ(inside.status, 0) << inside.err;
    Outcome payload = trs({"list", kPayload});
    ASSERT_EQ(payload.status, 0) << payload.err;
    // The installer's listing also says whether its payload check holds.
    auto withoutPayloadCheck = [](std::string listing) {
        const std::size_t check = listing.find("\npayload check: ");
        if (check != std::string::npos) listing.erase(check + 1, listing.find('\n', check + 1) - check);
        return listing;
    };
    EXPECT_EQ(recordsApartFromPrograms(withoutPayloadCheck(inside.out)), recordsApartFromPrograms(payload.out))
        << "an installer built from other sources? rebuild the Windows preset";
    EXPECT_NE(inside.out.find("payload check: CRC-32 0x"), std::string::npos) << inside.out;
    EXPECT_NE(inside.out.find(" holds\n"), std::string::npos) << inside.out;

    // One bit flipped in the last record's compressed bytes.
    std::string damaged = readHostFile(installer);
    MemoryStream bytes(std::vector<std::uint8_t>(damaged.begin(), damaged.end()), installer);
    platform::PeImage image(bytes);
    const auto data = image.findResource(platform::kResourceTypeRcData, "TRSData");
    ASSERT_TRUE(data.has_value());
    damaged[static_cast<std::size_t>(data->offset + data->size - 100)] ^= 0x10;
    writeHostFile(path("Damaged.exe"), damaged);
    Outcome list = trs({"list", path("Damaged.exe")});
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("payload check fails: Пакет установки повреждён"), std::string::npos) << list.err;
}

TEST_F(Trs, ReportsBadInputByFileAndLine) {
    std::string damaged = readHostFile(kPayload);
    damaged[166] = '\x7F';  // the first record's name length becomes huge
    writeHostFile(path("damaged.trs"), damaged);
    Outcome list = trs({"list", path("damaged.trs")});
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("damaged.trs: "), std::string::npos) << list.err;

    writeHostFile(path("source.bin"), "data");
    writeHostFile(path("bad.tsv"), "ok.bin\t1\t\tsource.bin\nshort\t1\tsource.bin\n");
    Outcome pack = trs({"pack", path("bad.tsv"), path("bad.trs")});
    EXPECT_EQ(pack.status, 1);
    EXPECT_NE(pack.err.find("bad.tsv:2: expected 4 tab-separated fields"), std::string::npos) << pack.err;
    writeHostFile(path("gone.tsv"), "ok.bin\t1\t\tmissing.bin\n");
    pack = trs({"pack", path("gone.tsv"), path("gone.trs")});
    EXPECT_EQ(pack.status, 1);
    EXPECT_NE(pack.err.find("gone.tsv:1: "), std::string::npos) << pack.err;
    EXPECT_NE(pack.err.find("missing.bin"), std::string::npos) << pack.err;
    EXPECT_FALSE(fs::exists(path("gone.trs"))) << "no half-written payload is left";
}

TEST_F(Trs, CompressesForOtherExpandersAndExpands) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "строка " + std::to_string(i % 7) + "\n";
    writeHostFile(path("text.txt"), text);
    ASSERT_EQ(trs({"compress", path("text.txt"), path("text.tx_")}).status, 0);
    EXPECT_LT(fs::file_size(path("text.tx_")), text.size() / 2);
    ASSERT_EQ(trs({"expand", path("text.tx_"), path("back.txt")}).status, 0);
    EXPECT_EQ(readHostFile(path("back.txt")), text);
    ASSERT_EQ(trs({"expand", path("text.txt"), path("copy.txt")}).status, 0);
    EXPECT_EQ(readHostFile(path("copy.txt")), text);

    const std::string packed = readHostFile(path("text.tx_"));
    writeHostFile(path("cut.tx_"), packed.substr(0, packed.size() / 2));
    EXPECT_EQ(trs({"expand", path("cut.tx_"), path("back.txt")}).status, 1);
    EXPECT_EQ(readHostFile(path("back.txt")), text) << "a failed expansion keeps the file it would replace";
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_NE(entry.path().extension(), ".new") << "the new file is left behind: " << entry.path();

    if (std::system("command -v msexpand >/dev/null") != 0) GTEST_SKIP() << "msexpand (mscompress) is not installed";
    ASSERT_EQ(std::system(("msexpand <" + quote(path("text.tx_")) + " >" + quote(path("ms.txt"))).c_str()), 0);
    EXPECT_EQ(readHostFile(path("ms.txt")), text);
}

}  // namespace
}  // namespace vk
