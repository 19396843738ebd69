#include "datalib/StaticSetStream.h"

#include <gtest/gtest.h>

#include "ByteImage.h"
#include "dbenv/ConnectionSets.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using test::ByteImage;

MemoryStream streamOf(const ByteImage& image) { return MemoryStream(image.bytes(), "image.dbs"); }

void load(TStaticSet& set, const ByteImage& image) {
    MemoryStream stream = streamOf(image);
    set.loadFromStream(stream);
}

// Defines and opens the set, then loads it from the stream's beginning.
void openAndLoad(TStaticSet& set, void (*define)(TStaticSet&), Stream& stream) {
    define(set);
    set.open();
    stream.seek(0, SeekOrigin::Begin);
    set.loadFromStream(stream);
}

std::vector<std::uint8_t> saved(TStaticSet& set) {
    MemoryStream stream;
    set.saveToStream(stream);
    return stream.bytes();
}

// One ssUpdates record: OrderNo, Name (64), Info (first memo page, 0 = null).
ByteImage& updatesRecord(ByteImage& image, std::int32_t orderNo, const std::string& name, std::int32_t page) {
    image.intSector(orderNo).text(name, 64).u8(3);
    return page ? image.intSector(page) : image.nullIntSector();
}

// One memo page of P = 64: ID, Size (null when absent), Next (null when 0), Data.
ByteImage& page(ByteImage& image, std::int32_t id, std::optional<std::int32_t> size, std::int32_t next,
                const std::string& payload) {
    image.intSector(id);
    size ? image.intSector(*size) : image.nullIntSector();
    next ? image.intSector(next) : image.nullIntSector();
    return image.raw(payload).zeros(65 - payload.size()).u8(payload.empty() ? 0 : 1);
}

class Updates : public ::testing::Test {
protected:
    void SetUp() override {
        defineUpdates(set);
        set.open();
    }
    void appendUpdate(int orderNo, const std::string& name, const std::string& info) {
        set.append();
        set.field("OrderNo").setInteger(orderNo);
        set.field("Name").setString(name);
        set.field("Info").setString(info);
        set.post();
    }
    TStaticSet set;
};

TEST_F(Updates, EmptySetIs136Bytes) {
    ByteImage image;
    image.section(0, 76, 0, 0, 0, -1);
    EXPECT_EQ(saved(set), image.bytes());
}

TEST_F(Updates, MemoOfExactlyOnePageAndOneByteMore) {
    const std::string full(64, 'x');
    appendUpdate(1, "a", full);
    ByteImage one;
    one.section(1, 76, 1, 0, 2, 1);
    updatesRecord(one, 1, "a", 1);
    one.section(1, 81, 1, 1, 0, -1);
    page(one, 1, 64, 0, full);
    EXPECT_EQ(saved(set), one.bytes());

    set.edit();
    set.field("Info").setString(full + "y");
    set.post();
    ByteImage two;
    two.section(1, 76, 1, 0, 2, 1);
    updatesRecord(two, 1, "a", 2);
    two.section(2, 81, 3, 3, 0, -1);
    page(two, 2, 64, 3, full);
    page(two, 3, 1, 0, "y");
    EXPECT_EQ(saved(set), two.bytes());

    TStaticSet reader;
    defineUpdates(reader);
    reader.open();
    load(reader, two);
    EXPECT_EQ(reader.field("Info").asString(), full + "y");
}

TEST_F(Updates, EmptyMemoTextIsOnePageWithoutPayload) {
    appendUpdate(1, "a", "");
    ByteImage image;
    image.section(1, 76, 1, 0, 2, 1);
    updatesRecord(image, 1, "a", 1);
    image.section(1, 81, 1, 1, 0, -1);
    page(image, 1, std::nullopt, 0, "");
    EXPECT_EQ(saved(set), image.bytes());
    EXPECT_FALSE(set.field("Info").isNull());
    EXPECT_EQ(set.field("Info").asString(), "");
}

TEST_F(Updates, SaveAndReloadKeepRowsKeysAndMemos) {
    const std::string history = "Версия 2.1: " + std::string(200, '*');
    appendUpdate(2, "Обновление", history);
    appendUpdate(1, "First", "short");
    MemoryStream stream;
    set.saveToStream(stream);
    // A shorter save over the same bytes leaves the old tail behind it.
    set.first();
    set.remove();
    stream.seek(0, SeekOrigin::Begin);
    set.saveToStream(stream);

    TStaticSet reader;
    openAndLoad(reader, defineUpdates, stream);
    ASSERT_EQ(reader.recordCount(), 1);
    EXPECT_EQ(reader.field("Name").asString(), "Обновление");
    EXPECT_EQ(reader.field("Info").asString(), history);
    EXPECT_GT(reader.recordIdCounter(), 1) << "identities continue after the stored counter";
}

TEST(StaticSetStream, KeyCounterSurvivesTheRecordThatHeldIt) {
    TStaticSet set;
    defineDBParams(set);
    set.open();
    for (int i = 0; i < 3; ++i) {
        set.append();
        set.post();
    }
    set.last();
    set.remove();
    MemoryStream stream;
    set.saveToStream(stream);
    set.close();
    set.open();
    stream.seek(0, SeekOrigin::Begin);
    set.loadFromStream(stream);
    set.append();
    EXPECT_EQ(set.field("ID").asInteger(), 4);
}

TEST(StaticSetStream, ReadsWiderAndNarrowerWriters) {
    // Two ssDBParams records (333 bytes each) read by ssSysParams (328): the
    // last 5 bytes of each are skipped and the second record still lines up.
    ByteImage wide;
    wide.section(2, 333, 9, 4, 0, 7);
    wide.intSector(3).text("Server", 64).u8(3).text("main", 255).u8(3).intSector(0);
    wide.intSector(4).text("Path", 64).u8(3).text("C:\\Base", 255).u8(3).intSector(1);
    TStaticSet sys;
    defineSysParams(sys);
    sys.open();
    load(sys, wide);
    ASSERT_EQ(sys.recordCount(), 2);
    EXPECT_EQ(sys.field("Name").asString(), "Path");
    sys.next();
    EXPECT_EQ(sys.field("Value").asString(), "main");
    EXPECT_EQ(sys.keyCounter(), 4);
    EXPECT_EQ(sys.recordIdCounter(), 11);

    MemoryStream narrow;
    sys.saveToStream(narrow);
    TStaticSet db;
    openAndLoad(db, defineDBParams, narrow);
    ASSERT_EQ(db.recordCount(), 2);
    EXPECT_TRUE(db.field("ConnectNo").isNull());
}

TEST(StaticSetStream, StopsQuietlyAtShortOrForeignData) {
    TStaticSet set;
    defineSysParams(set);
    set.open();
    set.append();
    set.post();

    ByteImage tiny;
    tiny.u32(0x00717E25);
    load(set, tiny);
    EXPECT_EQ(set.recordCount(), 1) << "fewer than 5 bytes: the set keeps its records";

    ByteImage truncated;
    truncated.section(3, 328, 0, 0, 0, -1);
    for (const char* name : {"one", "two"}) truncated.intSector(1).text(name, 64).u8(3).text("", 255).u8(3);
    truncated.zeros(100);
    load(set, truncated);
    EXPECT_EQ(set.recordCount(), 2) << "the partial third record is dropped";

    set.append();
    set.post();
    ASSERT_EQ(set.keyCounter(), 1);
    ByteImage wrongSize;
    wrongSize.u32(0x00717E25).u32(64).zeros(128);
    load(set, wrongSize);
    EXPECT_EQ(set.recordCount(), 0);
    set.append();
    EXPECT_EQ(set.field("ID").asInteger(), 1) << "the set starts afresh, keys included";
}

TEST(StaticSetStream, UntrustedCountsAndSizesNeitherHangNorAllocate) {
    TStaticSet set;
    defineSysParams(set);
    set.open();
    for (std::int32_t size : {0, -5, 0x7FFFFFFF}) {
        ByteImage image;
        image.section(0x7FFFFFFF, size, 0x7FFFFFF0, 0, 0, -1).zeros(400);
        load(set, image);
        EXPECT_EQ(set.recordCount(), size == 0x7FFFFFFF ? 1 : 0) << size;
    }
    for (int i = 0; i < 20; ++i) {  // identities wrap past the stored counter without harm
        set.append();
        set.post();
    }
    EXPECT_EQ(set.recordCount(), 21);
}

TEST(StaticSetStream, BrokenMemoChainsAreReportedWhenRead) {
    struct Case {
        const char* what;
        std::int32_t firstSize, next;
    };
    for (Case c : {Case{"loops", 64, 1}, Case{"is missing", 64, 9}, Case{"more than its page size", 65, 0}}) {
        ByteImage image;
        image.section(1, 76, 1, 0, 2, 1);
        updatesRecord(image, 1, "a", 1);
        image.section(1, 81, 1, 1, 0, -1);
        page(image, 1, c.firstSize, c.next, std::string(64, 'x'));
        TStaticSet set;
        defineUpdates(set);
        set.open();
        load(set, image);
        try {
            set.field("Info").asString();
            ADD_FAILURE() << c.what;
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(c.what), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("ssUpdates.Info (image.dbs)"), std::string::npos);
        }
        set.remove();  // deleting the broken chain ends too
        EXPECT_EQ(set.recordCount(), 0);
    }
}

TEST(StaticSetFile, SetKeptInItsOwnFileLoadsOnOpenAndSavesOnClose) {
    test::TestMachine machine;
    const std::string path = machine.scratch() + "\\Params.dat";
    TStaticSet set;
    defineSysParams(set);
    set.setFileName(path);
    set.setOptions(set.options() | sdoKeepDataInFile);
    set.open();  // no file yet: an empty set
    set.append();
    set.field("Name").setString("Каталог");
    set.post();
    set.close();
    ASSERT_TRUE(platform::fileExists(path));
    EXPECT_EQ(platform::openFile(path, platform::FileMode::OpenRead)->size(), 136 + 328);

    set.open();
    ASSERT_EQ(set.recordCount(), 1);
    EXPECT_EQ(set.field("Name").asString(), "Каталог");
    set.loadFromFile(machine.scratch() + "\\Missing.dat");
    EXPECT_EQ(set.recordCount(), 1) << "a missing file leaves the set unchanged";
}

}  // namespace
}  // namespace vk
