#include <gtest/gtest.h>

#include "datalib/WholeFile.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

void writeText(Stream& out, std::string_view text) { out.write(text.data(), text.size()); }

auto failingAfter(std::string_view text) {
    return [text](Stream& out) {
        writeText(out, text);
        throw Error("the source broke off");
    };
}

TEST(WholeFile, AFailedWriteLeavesNoHalfFileAndReplacingKeepsTheOldOne) {
    test::TestMachine machine;
    const std::string target = machine.scratch() + "\\Данные.txt";

    writeFileReplacing(target, [](Stream& out) { writeText(out, "old"); });
    EXPECT_EQ(readFileText(target), "old");
    EXPECT_THROW(writeFileReplacing(target, failingAfter("half")), Error);
    EXPECT_EQ(readFileText(target), "old");
    EXPECT_FALSE(platform::fileExists(target + ".part"));
    writeFileReplacing(target, [](Stream& out) { writeText(out, "new"); });
    EXPECT_EQ(readFileText(target), "new");
    EXPECT_FALSE(platform::fileExists(target + ".part"));

    EXPECT_THROW(writeFile(target, failingAfter("half")), Error);
    EXPECT_FALSE(platform::fileExists(target));
    EXPECT_THROW(readFileText(target), Error);
}

}  // namespace
}  // namespace vk
