#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "platform/CfbFormat.h"
#include "platform/LittleEndian.h"
#include "platform/CompoundFile.h"
#include "platform/Error.h"

namespace vk::platform {
namespace {

using namespace cfb;

std::vector<std::uint8_t> pattern(std::size_t size, unsigned seed) {
    std::vector<std::uint8_t> bytes(size);
    std::mt19937 random(seed);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

CompoundFile withStreams(const std::vector<std::pair<std::u16string, std::size_t>>& streams) {
    CompoundFile file;
    unsigned seed = 1;
    for (const auto& [name, size] : streams) CompoundFile::createStream(file.root(), name).data = pattern(size, seed++);
    return file;
}

// The directory entries of an image, for looking at the trees as written.
std::vector<DirEntry> directoryOf(const std::vector<std::uint8_t>& image) {
    Header header = decodeHeader(image.data(), "image");
    std::vector<DirEntry> entries;
    std::uint32_t sector = header.directoryStart;
    while (sector != kEndOfChain) {
        for (std::size_t i = 0; i < kEntriesPerSector; ++i)
            entries.push_back(decodeDirEntry(image.data() + kHeaderSize + sector * kSectorSize + i * kDirEntrySize,
                                             static_cast<std::uint32_t>(entries.size()), "image"));
        sector = loadLe32(image.data() + kHeaderSize + std::size_t{header.difat[0]} * kSectorSize + 4 * sector);
    }
    return entries;
}

// Black height of the subtree at id; -1 when a red-black rule or the name order is broken.
int blackHeight(const std::vector<DirEntry>& entries, std::uint32_t id, const std::u16string* low,
                const std::u16string* high) {
    if (id == kNoStream) return 1;
    const DirEntry& e = entries[id];
    if ((low && compareNames(*low, e.name) >= 0) || (high && compareNames(e.name, *high) >= 0)) return -1;
    for (std::uint32_t child : {e.left, e.right})
        if (e.color == Color::Red && child != kNoStream && entries[child].color == Color::Red) return -1;
    int left = blackHeight(entries, e.left, low, &e.name);
    int right = blackHeight(entries, e.right, &e.name, high);
    if (left < 0 || left != right) return -1;
    return left + (e.color == Color::Black ? 1 : 0);
}

TEST(CompoundFile, StreamsOfEverySizeClassRoundTrip) {
    CompoundFile file = withStreams({{u"empty", 0}, {u"one", 1}, {u"mini", 64}, {u"odd", 65},
                                     {u"belowCutoff", 4095}, {u"atCutoff", 4096}, {u"large", 70000}});
    CompoundFile again = CompoundFile::parse(file.serialize(), "t.dbx");
    ASSERT_EQ(again.root().children.size(), 7u);
    for (const auto& child : file.root().children) {
        CompoundEntry* read = CompoundFile::find(again.root(), child->name);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->data, child->data);
    }
    EXPECT_EQ(again.serialize(), file.serialize());
}

TEST(CompoundFile, NamesCompareByLengthThenUpperCase) {
    EXPECT_LT(compareNames(u"zz", u"aaa"), 0);
    EXPECT_EQ(compareNames(u"ssDBParams", u"SSDBPARAMS"), 0);
    EXPECT_EQ(compareNames(u"Файл", u"ФАЙЛ"), 0);
    EXPECT_LT(compareNames(u"abc", u"ABD"), 0);

    CompoundFile file;
    CompoundFile::createStream(file.root(), u"ssUpdates").data = {1};
    EXPECT_EQ(CompoundFile::find(file.root(), u"SSUPDATES")->data.size(), 1u);
    CompoundFile::createStream(file.root(), u"SSupdates");
    EXPECT_EQ(file.root().children.size(), 1u);
    EXPECT_TRUE(file.root().children[0]->data.empty()) << "creating an existing stream empties it";
    EXPECT_THROW(CompoundFile::createStream(file.root(), u"a/b"), Error);
    EXPECT_THROW(CompoundFile::createStream(file.root(), std::u16string(32, u'x')), Error);
}

TEST(CompoundFile, SiblingsFormValidRedBlackTrees) {
    for (std::size_t count = 1; count <= 40; ++count) {
        CompoundFile file;
        for (std::size_t i = 0; i < count; ++i)
            CompoundFile::createStream(file.root(), u"s" + std::u16string(i % 7 + 1, static_cast<char16_t>(u'a' + i % 26)) +
                                                        static_cast<char16_t>(u'A' + i / 7));
        std::vector<DirEntry> entries = directoryOf(file.serialize());
        ASSERT_EQ(entries[0].type, EntryType::Root);
        EXPECT_EQ(entries[entries[0].child].color, Color::Black);
        EXPECT_GT(blackHeight(entries, entries[0].child, nullptr, nullptr), 0) << count << " siblings";
    }
}

TEST(CompoundFile, NestedStoragesAndAttributesSurvive) {
    CompoundFile file;
    auto storage = std::make_unique<CompoundEntry>();
    storage->name = u"Inner";
    storage->isStorage = true;
    storage->clsid[3] = 7;
    storage->stateBits = 5;
    storage->created = 0x01D0000000000001;
    CompoundFile::createStream(*storage, u"deep").data = pattern(5000, 9);
    file.root().children.push_back(std::move(storage));
    // A storage's entry holds no sector chain: its start and size are zero.
    for (const DirEntry& entry : directoryOf(file.serialize())) {
        if (entry.type != EntryType::Storage) continue;
        EXPECT_EQ(entry.start, 0u);
        EXPECT_EQ(entry.size, 0u);
    }
    CompoundFile again = CompoundFile::parse(file.serialize(), "t.dbx");
    CompoundEntry* inner = CompoundFile::find(again.root(), u"inner");
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(inner->isStorage);
    EXPECT_EQ(inner->clsid[3], 7);
    EXPECT_EQ(inner->stateBits, 5u);
    EXPECT_EQ(inner->created, 0x01D0000000000001u);
    EXPECT_EQ(CompoundFile::find(*inner, u"deep")->data, pattern(5000, 9));
}

TEST(CompoundFile, FileWhoseFatNeedsMoreThan109SectorsUsesTheDifat) {
    // 109 FAT sectors map 109 * 128 sectors, about 7 MB.
    CompoundFile file = withStreams({{u"big", 9 * 1024 * 1024}, {u"small", 10}});
    std::vector<std::uint8_t> image = file.serialize();
    Header header = decodeHeader(image.data(), "big");
    EXPECT_GT(header.fatSectorCount, kHeaderDifatSlots);
    EXPECT_EQ(header.difatSectorCount, 1u);
    CompoundFile again = CompoundFile::parse(image, "big");
    EXPECT_EQ(CompoundFile::find(again.root(), u"big")->data, file.root().children[0]->data);
    EXPECT_EQ(CompoundFile::find(again.root(), u"small")->data.size(), 10u);
}

// A small file whose layout the corruption cases patch: sector 0 FAT,
// 1 directory, 2 mini FAT, 3 mini stream, then "large" (10 sectors) and "other" (9).
class CorruptFile : public ::testing::Test {
protected:
    std::vector<std::uint8_t> image = withStreams({{u"large", 5000}, {u"other", 4200}, {u"tiny", 200}}).serialize();

    std::uint8_t* at(std::uint32_t sector, std::size_t offset = 0) {
        return image.data() + kHeaderSize + sector * kSectorSize + offset;
    }
    // Directory entries are root, then by name order: "tiny", "large", "other".
    std::uint8_t* entry(std::uint32_t id) { return at(1, id * kDirEntrySize); }
    void setFat(std::uint32_t sector, std::uint32_t next) { storeLe32(at(0, 4 * sector), next); }

    void expectRejected(const std::string& fragment) {
        try {
            CompoundFile::parse(image, "C:\\Data\\Setup1.dbx");
            FAIL() << "accepted, expected: " << fragment;
        } catch (const Error& e) {
            std::string message = e.what();
            EXPECT_NE(message.find("C:\\Data\\Setup1.dbx"), std::string::npos) << message;
            EXPECT_NE(message.find(fragment), std::string::npos) << message;
        }
    }
};

TEST_F(CorruptFile, LayoutIsAsThePatchesAssume) {
    ASSERT_EQ(image.size(), kHeaderSize + 23 * kSectorSize);
    ASSERT_EQ(loadLe32(entry(2) + 116), 4u);
    ASSERT_EQ(loadLe32(entry(3) + 116), 14u);
    ASSERT_NO_THROW(CompoundFile::parse(image, "x"));
}

TEST_F(CorruptFile, StructuralDamageIsReportedNotFollowed) {
    const std::vector<std::uint8_t> good = image;
    const std::vector<std::pair<std::string, std::function<void()>>> cases = {
        {"truncated", [&] { image.resize(kHeaderSize + 13 * kSectorSize + 100); }},
        {"does not fit", [&] { image.resize(kHeaderSize + 8 * kSectorSize); }},
        {"no complete header", [&] { image.resize(300); }},
        {"not a compound file", [&] { image[0] = 'M'; }},
        {"version 4", [&] { image[26] = 4; }},
        {"FAT of", [&] { storeLe32(image.data() + 44, 0xFFFFFFFF); }},
        {"already in use", [&] { setFat(8, 5); }},                      // "large" loops on itself
        {"already in use", [&] { storeLe32(entry(3) + 116, 6); }},       // "other" starts inside "large"
        {"already in use", [&] { setFat(14, 0); }},                     // "other" runs into the FAT sector
        {"past the end", [&] { storeLe32(entry(2) + 116, 90000); }},
        {"past the end", [&] { setFat(6, 70000); }},
        {"broken", [&] { setFat(6, kFreeSector); }},
        {"ends before its size", [&] { setFat(6, kEndOfChain); }},
        {"does not fit", [&] { storeLe32(entry(2) + 120, 0x7FFFFFFF); }},
        {"tree loops", [&] { storeLe32(entry(1) + 68, 1); }},             // "tiny" is its own left sibling
        {"past its end", [&] { storeLe32(entry(1) + 72, 4000); }},
        {"tree loops", [&] { storeLe32(entry(0) + 76, 0); }},
        {"not a storage or stream", [&] { entry(1)[66] = 0; }},
        {"malformed name", [&] { entry(2)[64] = 200; }},
        {"not the root", [&] { entry(0)[66] = 1; }},
        {"already in use", [&] { storeLe32(at(2), 0); }},                // mini chain loops
        {"past the end", [&] { storeLe32(entry(1) + 116, 1000); }},      // mini sector beyond the mini stream
        {"two directory entries", [&] { std::copy(entry(3), entry(3) + 66, entry(2)); }},
    };
    for (const auto& [fragment, damage] : cases) {
        SCOPED_TRACE(fragment);
        image = good;
        damage();
        expectRejected(fragment);
    }
}

TEST_F(CorruptFile, DifatThatLoopsIsRejected) {
    // A FAT of 200 sectors needs a DIFAT chain; one that points to itself
    // cannot supply them without reusing a sector.
    std::vector<std::uint8_t> big = withStreams({{u"big", 9 * 1024 * 1024}}).serialize();
    Header header = decodeHeader(big.data(), "x");
    std::uint8_t* difat = big.data() + kHeaderSize + header.difatStart * kSectorSize;
    storeLe32(difat + kSectorSize - 4, header.difatStart);
    storeLe32(big.data() + 44, header.fatSectorCount + 127);
    image = big;
    expectRejected("DIFAT");
    // Listing a FAT sector twice is the same damage in another form.
    storeLe32(difat + 4 * (header.fatSectorCount - kHeaderDifatSlots), 3);
    storeLe32(big.data() + 44, header.fatSectorCount + 1);
    image = big;
    expectRejected("already in use");
}

}  // namespace
}  // namespace vk::platform
