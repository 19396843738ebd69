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

TEST(WholeFile, AFailedWriteLeavesNoHalfFile) {
    test::TestMachine machine;
    const std::string target = machine.scratch() + "\\Данные.txt";
    writeFile(target, [](Stream& out) { writeText(out, "whole"); });
    EXPECT_EQ(readFileText(target), "whole");

    EXPECT_THROW(writeFile(target, failingAfter("half")), Error);
    EXPECT_FALSE(platform::fileExists(target));
    EXPECT_THROW(readFileText(target), Error);
}

}  // namespace
}  // namespace vk
