// Our SZDD files against an independent implementation (Debian's mscompress
// package): files it compresses expand with ours, files we compress expand
// with its msexpand, byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "datalib/Szdd.h"
#include "datalib/SzddTestData.h"
#include "support/TestFiles.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

bool haveTool(const char* tool) {
    return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0;
}

class SzddInterop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveTool("mscompress") || !haveTool("msexpand"))
            GTEST_SKIP() << "mscompress/msexpand not installed (Debian package mscompress)";
    }

    // Inputs that exercise the window's start, its size and long runs.
    static std::vector<std::pair<std::string, Bytes>> samples() {
        Bytes period4096 = test::randomBytes(4096, 2);
        period4096.insert(period4096.end(), period4096.begin(), period4096.end());
        Bytes blanksThenText(5000, ' ');
        Bytes text = test::textLike(20000, 4);
        blanksThenText.insert(blanksThenText.end(), text.begin(), text.end());
        return {{"blanks", blanksThenText},
                {"window", period4096},
                {"random", test::randomBytes(30000, 3)},
                {"text", test::textLike(200000, 8)}};
    }

    const test::TempHostFolder temp_{"vk-szdd"};
    const fs::path& folder_ = temp_.path();
};

TEST_F(SzddInterop, TheirFilesExpandWithOurs) {
    for (const auto& [name, data] : samples()) {
        fs::path plain = folder_ / name;
        test::writeHostFile(plain, data);
        ASSERT_EQ(std::system(("cd '" + folder_.string() + "' && mscompress '" + name + "'").c_str()), 0);
        MemoryStream in(test::readHostFile<Bytes>(folder_ / (name + "_")), name);
        MemoryStream out;
        szddExpand(in, out);
        EXPECT_EQ(out.bytes(), data) << name;
    }
}

TEST_F(SzddInterop, OurFilesExpandWithTheirs) {
    auto inputs = samples();
    // Tiny files only this way round: mscompress itself writes wrong bodies for inputs under 17 bytes.
    inputs.push_back({"one", {'q'}});
    inputs.push_back({"few", test::randomBytes(16, 6)});
    for (const auto& [name, data] : inputs) {
        MemoryStream in(data);
        MemoryStream packed;
        szddCompress(in, packed);
        fs::path packedPath = folder_ / (name + ".sz_");
        test::writeHostFile(packedPath, packed.bytes());
        fs::path expanded = folder_ / (name + ".out");
        ASSERT_EQ(std::system(("msexpand < '" + packedPath.string() + "' > '" + expanded.string() + "'").c_str()), 0);
        EXPECT_EQ(test::readHostFile<Bytes>(expanded), data) << name;
    }
}

}  // namespace
}  // namespace vk
