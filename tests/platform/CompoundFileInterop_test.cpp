// Compound files checked by independent implementations: Python's olefile
// and libgsf's gsf read what we write; we read what they write or edit.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "platform/CompoundFile.h"
#include "platform/Text.h"
#include "support/ExternalTool.h"
#include "support/TestFiles.h"

namespace vk::platform {
namespace {

namespace fs = std::filesystem;
using test::runTool;
using test::shellQuoted;
using Streams = std::map<std::string, std::vector<std::uint8_t>>;

// The Python that has olefile (the system's, when another one comes first in PATH).
std::string olefilePython() {
    for (const char* python : {"/usr/bin/python3", "python3"})
        if (runTool(std::string(python) + " -c 'import olefile'").status == 0) return python;
    return {};
}

std::vector<std::uint8_t> fileBytes(const fs::path& path) { return test::readHostFile<std::vector<std::uint8_t>>(path); }

std::vector<std::uint8_t> noise(std::size_t size, unsigned seed) {
    std::vector<std::uint8_t> bytes(size);
    std::mt19937 random(seed);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

Streams streamsOf(CompoundFile& file) {
    Streams streams;
    for (const auto& child : file.root().children)
        if (!child->isStorage) streams[fromUtf16(child->name)] = child->data;
    return streams;
}

class CompoundFileInterop : public ::testing::Test {
protected:
    // Every stream of the root as olefile reads it, with its strictest checks.
    Streams readWithOlefile(const fs::path& file) {
        const fs::path out = dir / "olefile-out";
        fs::remove_all(out);
        fs::create_directories(out);
        const fs::path script = dir / "dump.py";
        test::writeHostFile(script,
                            "import olefile, sys, os\n"
                            "ole = olefile.OleFileIO(sys.argv[1], raise_defects=olefile.DEFECT_INCORRECT)\n"
                            "for path in ole.listdir(streams=True, storages=False):\n"
                            "    data = ole.openstream(path).read()\n"
                            "    assert len(data) == ole.get_size(path)\n"
                            "    open(os.path.join(sys.argv[2], '__'.join(path)), 'wb').write(data)\n");
        auto result = runTool(python + " " + shellQuoted(script) + " " + shellQuoted(file) + " " + shellQuoted(out));
        EXPECT_EQ(result.status, 0) << result.output;
        Streams streams;
        for (const auto& entry : fs::directory_iterator(out)) streams[entry.path().filename().string()] = fileBytes(entry.path());
        return streams;
    }

    // Every stream gsf lists, read with gsf cat.
    Streams readWithGsf(const fs::path& file) {
        auto listing = runTool("gsf list " + shellQuoted(file));
        EXPECT_EQ(listing.status, 0) << listing.output;
        Streams streams;
        std::istringstream lines(listing.output);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.rfind("f ", 0) != 0) continue;
            std::string name = line.substr(line.find_last_of(' ') + 1);
            const fs::path out = dir / "gsf-out";
            auto cat = runTool("gsf cat " + shellQuoted(file) + " '" + name + "' > " + shellQuoted(out));
            EXPECT_EQ(cat.status, 0) << cat.output;
            streams[name] = fileBytes(out);
        }
        return streams;
    }

    void expectIndependentReadersAgree(const fs::path& file, const Streams& expected) {
        if (!python.empty()) {
            EXPECT_EQ(readWithOlefile(file), expected) << "olefile on " << file;
        }
        if (gsf) {
            EXPECT_EQ(readWithGsf(file), expected) << "gsf on " << file;
        }
    }

    void requireATool() {
        if (python.empty() && !gsf) GTEST_SKIP() << "neither python3-olefile nor gsf (libgsf-bin) is installed";
    }

    const test::TempHostFolder folder{"vk-cfb"};
    const fs::path& dir = folder.path();
    std::string python = olefilePython();
    bool gsf = test::haveProgram("gsf");
};

TEST_F(CompoundFileInterop, SavesThatGrowAndShrinkStreamsStayReadable) {
    requireATool();
    const fs::path path = dir / "Setup1.dbx";
    CompoundFile file;
    for (const char16_t* name : {u"ssDBParams", u"ssSysParams", u"ssUpdates", u"ssUsers", u"ssWorkPlace"})
        CompoundFile::createStream(file.root(), name).data = noise(700, name[2]);
    // Each step resizes one stream across the mini-stream cutoff or within it.
    const std::vector<std::pair<std::u16string, std::size_t>> steps = {
        {u"ssDBParams", 12000}, {u"ssUpdates", 5}, {u"ssDBParams", 300}, {u"ssSysParams", 4096},
        {u"ssSysParams", 0}, {u"ssWorkPlaces", 9000}, {u"ssUsers", 64}};
    unsigned seed = 100;
    for (const auto& [name, size] : steps) {
        CompoundFile reopened = CompoundFile::parse(fileBytes(path).empty() ? file.serialize() : fileBytes(path), "x");
        CompoundFile::createStream(reopened.root(), name).data = noise(size, seed++);
        test::writeHostFile(path, reopened.serialize());
        SCOPED_TRACE(fromUtf16(name) + " resized to " + std::to_string(size));
        expectIndependentReadersAgree(path, streamsOf(reopened));
    }
}

TEST_F(CompoundFileInterop, FileBeyondOneHundredNineFatSectorsIsReadable) {
    requireATool();
    const fs::path path = dir / "big.dbx";
    CompoundFile file;
    CompoundFile::createStream(file.root(), u"ssUpdates").data = noise(8 * 1024 * 1024, 7);
    CompoundFile::createStream(file.root(), u"ssSysParams").data = noise(900, 8);
    test::writeHostFile(path, file.serialize());
    expectIndependentReadersAgree(path, streamsOf(file));
}

TEST_F(CompoundFileInterop, FilesOfGsfAndOlefileReadAndKeepTheirOtherStreams) {
    if (!gsf) GTEST_SKIP() << "gsf (libgsf-bin) is not installed";
    const Streams sources = {{"ssDBParams", noise(333 * 36 + 136, 1)}, {"ssUsers", noise(2000, 2)},
                             {"ssWorkSpace", noise(5000, 3)}, {"ssWorkPlace", noise(0, 4)}};
    std::string command = "cd " + shellQuoted(dir) + " && gsf createole made.ole";
    for (const auto& [name, bytes] : sources) {
        test::writeHostFile(dir / name, bytes);
        command += " " + name;
    }
    auto created = runTool(command);
    ASSERT_EQ(created.status, 0) << created.output;
    const fs::path made = dir / "made.ole";

    CompoundFile theirs = CompoundFile::parse(fileBytes(made), made.string());
    EXPECT_EQ(streamsOf(theirs), sources);

    Streams expected = sources;
    if (!python.empty()) {
        // olefile rewrites a stream in place (same size only), as an editing tool would.
        expected["ssUsers"] = noise(2000, 9);
        test::writeHostFile(dir / "new-users", expected["ssUsers"]);
        auto edited = runTool(python + " -c \"import olefile, sys; o = olefile.OleFileIO(sys.argv[1], write_mode=True); "
                                  "o.write_stream('ssUsers', open(sys.argv[2], 'rb').read()); o.close()\" " +
                         shellQuoted(made) + " " + shellQuoted(dir / "new-users"));
        ASSERT_EQ(edited.status, 0) << edited.output;
        CompoundFile afterEdit = CompoundFile::parse(fileBytes(made), made.string());
        EXPECT_EQ(streamsOf(afterEdit), expected);
    }

    CompoundFile ours = CompoundFile::parse(fileBytes(made), made.string());
    expected["ssDBParams"] = noise(333 * 2 + 136, 5);
    CompoundFile::createStream(ours.root(), u"ssDBParams").data = expected["ssDBParams"];
    test::writeHostFile(made, ours.serialize());
    expectIndependentReadersAgree(made, expected);
}

}  // namespace
}  // namespace vk::platform
