#include <gtest/gtest.h>

#include "datalib/Szdd.h"
#include "datalib/SzddTestData.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "support/TestFiles.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using test::Bytes;

using test::writeFile;

TEST(SzddFile, CompressesAndExpandsFileToFile) {
    test::TestMachine machine;
    const std::string plain = machine.scratch() + "\\Vorkast.exe";
    const std::string packed = machine.scratch() + "\\Vorkast.ex_";
    const std::string expanded = machine.scratch() + "\\Out.exe";
    Bytes data = test::textLike(50000, 11);
    writeFile(plain, data);
    szddCompressFile(plain, packed, 'e');
    EXPECT_EQ(test::readFile<Bytes>(packed)[9], 'e');
    expandFileOrCopy(packed, expanded);
    EXPECT_EQ(test::readFile<Bytes>(expanded), data);
    // A plain file is copied.
    expandFileOrCopy(plain, expanded);
    EXPECT_EQ(test::readFile<Bytes>(expanded), data);
}

TEST(SzddFile, AFailedExpansionLeavesNoTarget) {
    test::TestMachine machine;
    const std::string packed = machine.scratch() + "\\Cut.ex_";
    const std::string target = machine.scratch() + "\\Cut.exe";
    MemoryStream in(test::textLike(50000, 12));
    MemoryStream out;
    szddCompress(in, out);
    out.bytes().resize(out.bytes().size() / 2);
    writeFile(packed, out.bytes());
    EXPECT_THROW(expandFileOrCopy(packed, target), Error);
    EXPECT_FALSE(platform::fileExists(target));
}

}  // namespace
}  // namespace vk
