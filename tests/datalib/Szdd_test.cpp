#include <gtest/gtest.h>

#include "datalib/Szdd.h"
#include "datalib/SzddTestData.h"
#include "platform/Error.h"

namespace vk {
namespace {

using test::Bytes;
using test::reference;
using test::szddFile;

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes expand(const Bytes& file) {
    MemoryStream in(file, "packed.ex_");
    MemoryStream out;
    szddExpand(in, out);
    return out.bytes();
}

Bytes compress(const Bytes& data) {
    MemoryStream in(data);
    MemoryStream out;
    szddCompress(in, out);
    return out.bytes();
}

Bytes asBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string expandError(const Bytes& file) {
    try {
        expand(file);
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

// Files assembled by hand from the format: the window starts as blanks and is
// first written at position 4080; a reference names a window position.
TEST(SzddExpand, FollowsTheWindowOfTheFormat) {
    struct Case {
        const char* what;
        Bytes file;
        std::string expected;
    };
    const Case cases[] = {
        {"literals only", szddFile(3, {0x07, 'a', 'b', 'c'}), "abc"},
        {"the initial blanks", szddFile(4, concat({{0x00}, reference(0, 4)})), "    "},
        {"a run overlapping its own output", szddFile(6, concat({{0x01, 'a'}, reference(4080, 5)})), "aaaaaa"},
        {"blanks just before the start, then the first bytes",
         szddFile(6, concat({{0x03, 'x', 'y'}, reference(4078, 4)})), "xy  xy"},
        {"a control byte left over at the end",
         szddFile(8, {0xFF, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x00}), "abcdefgh"},
    };
    for (const auto& c : cases) EXPECT_EQ(expand(c.file), asBytes(c.expected)) << c.what;
}

TEST(SzddExpand, ReferencesWrapAroundTheWindow) {
    // 18 literals fill positions 4080..4095 and 0..1; a reference to 4094
    // then reads 4094, 4095, 0, 1.
    std::string letters = "ABCDEFGHIJKLMNOPQR";
    Bytes body;
    for (int group = 0; group < 3; ++group) {
        body.push_back(group < 2 ? 0xFF : 0x03);  // the third group: 2 literals, a reference
        for (int i = 0; i < (group < 2 ? 8 : 2); ++i) body.push_back(letters[group * 8 + i]);
    }
    Bytes file = szddFile(22, concat({body, reference(4094, 4)}));
    EXPECT_EQ(expand(file), asBytes(letters + "OPQR"));
}

TEST(SzddExpand, ReadsTheOldestByteAtTheWritePosition) {
    // After 4096 literals the write position is back at 4080, where the first
    // byte still is until this reference overwrites it.
    Bytes data = test::randomBytes(4096, 7);
    Bytes body;
    for (std::size_t i = 0; i < data.size(); i += 8) {
        body.push_back(0xFF);
        body.insert(body.end(), data.begin() + i, data.begin() + i + 8);
    }
    Bytes tail = concat({{0x00}, reference(4080, 18)});
    body.insert(body.end(), tail.begin(), tail.end());
    Bytes expected = data;
    expected.insert(expected.end(), data.begin(), data.begin() + 18);
    EXPECT_EQ(expand(szddFile(4096 + 18, body)), expected);
}

TEST(SzddExpand, RejectsBadHeaders) {
    Bytes good = szddFile(1, {0x01, 'a'});
    Bytes wrongMode = good;
    wrongMode[8] = 'B';
    Bytes wrongMagic = good;
    wrongMagic[4] = 0x89;
    EXPECT_NE(expandError(Bytes(good.begin(), good.begin() + 12)).find("header is truncated"), std::string::npos);
    EXPECT_NE(expandError(wrongMode).find("mode"), std::string::npos);
    EXPECT_NE(expandError(wrongMagic).find("not SZDD"), std::string::npos);
    EXPECT_NE(expandError(Bytes{}).find("packed.ex_"), std::string::npos);
}

TEST(SzddExpand, RejectsALengthOtherThanTheHeaders) {
    Bytes body = {0x07, 'a', 'b', 'c'};
    EXPECT_NE(expandError(szddFile(4, body)).find("truncated"), std::string::npos);
    EXPECT_NE(expandError(szddFile(2, body)).find("corrupt"), std::string::npos);
    EXPECT_NE(expandError(szddFile(5, concat({{0x01, 'a'}, {0x10}}))).find("inside a reference"),
              std::string::npos);
}

TEST(SzddExpand, NeverWritesMoreThanTheHeaderGives) {
    // A body of 20 full references expands to 360 bytes; the header says 10.
    Bytes body;
    for (int group = 0; group < 3; ++group) {
        body.push_back(0x00);
        for (int i = 0; i < 8; ++i) {
            Bytes r = reference(0, 18);
            body.insert(body.end(), r.begin(), r.end());
        }
    }
    MemoryStream in(szddFile(10, body), "x.ex_");
    MemoryStream out;
    EXPECT_THROW(szddExpand(in, out), Error);
    EXPECT_LE(out.bytes().size(), 10u);
}

TEST(SzddExpand, EveryTruncationOfAValidFileFails) {
    Bytes file = compress(test::textLike(3000, 5));
    for (std::size_t cut = 0; cut < file.size(); ++cut)
        EXPECT_THROW(expand(Bytes(file.begin(), file.begin() + cut)), Error) << "cut at " << cut;
}

TEST(SzddRoundTrip, EdgeInputs) {
    const Bytes spaces(10000, ' ');
    const Bytes random = test::randomBytes(100 * 1024, 1);
    Bytes period4096 = test::randomBytes(4096, 2);
    for (int i = 0; i < 2; ++i) period4096.insert(period4096.end(), period4096.begin(), period4096.begin() + 4096);
    // Larger than a parsing block, with matches across its boundaries.
    const Bytes text = test::textLike(600 * 1024, 3);
    Bytes mixedRuns;
    for (int i = 0; i < 300; ++i) mixedRuns.insert(mixedRuns.end(), 1 + i % 37, static_cast<std::uint8_t>(i % 3));

    const std::pair<const char*, Bytes> inputs[] = {
        {"empty", {}},
        {"one byte", {'x'}},
        {"one blank", {' '}},
        {"blanks like the initial fill", spaces},
        {"zeros", Bytes(70000, 0)},
        {"exactly the window", test::randomBytes(4096, 4)},
        {"one past the window", test::randomBytes(4097, 5)},
        {"repeats at the window's size", period4096},
        {"short runs", mixedRuns},
        {"random", random},
        {"text", text},
    };
    for (const auto& [what, data] : inputs) {
        Bytes packed = compress(data);
        EXPECT_EQ(expand(packed), data) << what;
    }
}

TEST(SzddCompress, UsesTheInitialBlanksAndLongMatches) {
    // Eighteen blanks are one reference into the initial fill: header, control byte, two bytes.
    EXPECT_EQ(compress(Bytes(18, ' ')).size(), 14u + 1 + 2);
    // A megabyte of zeros: one 18-byte reference per 17 bits, and a literal to start.
    Bytes zeros(1 << 20, 0);
    EXPECT_LT(compress(zeros).size(), (1u << 20) / 18 * 17 / 8 + 100);
}

TEST(SzddCompress, TakesTheRemainingBytesAndRecordsTheMissingCharacter) {
    MemoryStream in(asBytes("skipped|kept"));
    in.seek(8, SeekOrigin::Begin);
    MemoryStream out;
    szddCompress(in, out, 'l');
    EXPECT_EQ(out.bytes()[9], 'l');
    EXPECT_EQ(expand(out.bytes()), asBytes("kept"));
}

TEST(SzddExpandOrCopy, CopiesOtherDataUnchanged) {
    const Bytes inputs[] = {{}, {'S', 'Z'}, asBytes("SZDD but not the rest"), test::randomBytes(300000, 9)};
    for (const auto& data : inputs) {
        MemoryStream in(data);
        EXPECT_FALSE(isSzdd(in));
        MemoryStream out;
        expandOrCopy(in, out);
        EXPECT_EQ(out.bytes(), data);
    }
    MemoryStream packed(compress(asBytes("hello")));
    packed.seek(0, SeekOrigin::Begin);
    EXPECT_TRUE(isSzdd(packed));
    EXPECT_EQ(packed.position(), 0);
    MemoryStream out;
    expandOrCopy(packed, out);
    EXPECT_EQ(out.bytes(), asBytes("hello"));
}

}  // namespace
}  // namespace vk
