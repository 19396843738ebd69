// Our SZDD files expanded by Windows' own LZ32 (LZOpenFileW, LZCopy).
#include <windows.h>
#include <lzexpand.h>

#include <gtest/gtest.h>

#include "datalib/Szdd.h"
#include "datalib/SzddTestData.h"
#include "platform/FileSystem.h"
#include "platform/win32/Wide.h"
#include "support/TestFiles.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using test::Bytes;

// Expands `packed` with LZ32 into `target`; returns LZCopy's result.
LONG lzCopy(const std::string& packed, const std::string& target) {
    OFSTRUCT sourceInfo{}, targetInfo{};
    std::wstring source = platform::win32::wide(packed), destination = platform::win32::wide(target);
    INT in = LZOpenFileW(source.data(), &sourceInfo, OF_READ);
    INT out = LZOpenFileW(destination.data(), &targetInfo, OF_CREATE);
    LONG copied = in >= 0 && out >= 0 ? LZCopy(in, out) : -1;
    if (in >= 0) LZClose(in);
    if (out >= 0) LZClose(out);
    return copied;
}

TEST(Win32Szdd, LzCopyExpandsOurFiles) {
    test::TestMachine machine;
    Bytes period4096 = test::randomBytes(4096, 2);
    period4096.insert(period4096.end(), period4096.begin(), period4096.end());
    Bytes blanksThenText(5000, ' ');
    Bytes text = test::textLike(20000, 4);
    blanksThenText.insert(blanksThenText.end(), text.begin(), text.end());
    const std::pair<const char*, Bytes> samples[] = {
        {"one", {'q'}},
        {"zeros", Bytes(70000, 0)},
        {"blanks", blanksThenText},
        {"window", period4096},
        {"random", test::randomBytes(30000, 3)},
        {"text", test::textLike(300000, 8)},
    };
    for (const auto& [name, data] : samples) {
        std::string packed = machine.scratch() + "\\" + name + ".sz_";
        std::string expanded = machine.scratch() + "\\" + name + ".out";
        MemoryStream in(data);
        szddCompress(in, *platform::openFile(packed, platform::FileMode::Create));
        EXPECT_EQ(lzCopy(packed, expanded), static_cast<LONG>(data.size())) << name;
        EXPECT_EQ(test::readFile<Bytes>(expanded), data) << name;
    }
}

}  // namespace
}  // namespace vk
