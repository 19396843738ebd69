#include <gtest/gtest.h>

#include "dbenv/ConnectionSets.h"
#include "engine/InstallLog.h"
#include "platform/Error.h"

namespace vk {
namespace {

class Memo : public ::testing::Test {
protected:
    void SetUp() override {
        defineUpdates(set);
        set.setBlobPageSize(10);  // below the minimum: pages of 32
        set.open();
        set.append();
        set.field("OrderNo").setInteger(1);
        set.field("Info").setString("old text");
        set.post();
    }
    int pages() const { return set.blobManager()->pageCount(); }
    TStaticSet set;
};

TEST_F(Memo, ChangeTakesEffectOnlyWithItsRecord) {
    set.edit();
    set.field("Info").setString(std::string(100, 'n'));
    EXPECT_EQ(pages(), 4);
    set.cancel();
    EXPECT_EQ(set.field("Info").asString(), "old text");
    EXPECT_EQ(pages(), 1);

    set.append();
    set.field("OrderNo").setInteger(2);
    set.field("Info").setString("discarded");
    set.cancel();
    EXPECT_EQ(pages(), 1);

    set.field("Info").setString("new");  // browsing: the assignment starts an edit
    EXPECT_EQ(set.state(), DataSetState::Edit);
    set.post();
    EXPECT_EQ(set.field("Info").asString(), "new");
    EXPECT_EQ(pages(), 1);
}

TEST_F(Memo, WriteStreamFillsReusesAndTrimsPages) {
    set.edit();
    auto stream = set.openBlobForWrite(set.fieldIndex("Info"));
    std::string text;
    for (int i = 0; i < 10; ++i) {
        std::string piece(13, static_cast<char>('a' + i));
        stream->write(piece.data(), piece.size());
        text += piece;
    }
    EXPECT_EQ(pages(), 5);  // 130 bytes in pages of 32
    stream->seek(40, SeekOrigin::Begin);
    stream->write("!", 1);  // writing stops here: the rest of the chain goes
    EXPECT_EQ(stream->size(), 41);
    EXPECT_EQ(pages(), 2);
    set.post();
    EXPECT_EQ(set.field("Info").asString(), text.substr(0, 40) + "!");
    EXPECT_THROW(stream->write("x", 1), Error) << "the stream ended with its record's edit";

    set.edit();
    set.openBlobForWrite(set.fieldIndex("Info"))->setSize(0);
    set.post();
    EXPECT_TRUE(set.field("Info").isNull());
    EXPECT_EQ(pages(), 0);
}

TEST_F(Memo, DeleteDropsPagesButEmptyTableLeavesThem) {
    set.append();
    set.field("OrderNo").setInteger(2);
    set.field("Info").setString(std::string(40, 'z'));
    set.post();
    EXPECT_EQ(pages(), 3);
    set.remove();
    EXPECT_EQ(pages(), 1);
    set.emptyTable();
    EXPECT_EQ(pages(), 1);
}

TEST(BlobManager, ComesIntoBeingOnFirstReadAndStaysUntilClose) {
    TStaticSet log;
    defineLog(log);
    log.open();
    log.append();
    log.field(logfield::InfType.name).setString(logkind::File);
    log.post();
    MemoryStream plain;
    log.saveToStream(plain);
    EXPECT_FALSE(log.hasBlobManager());
    EXPECT_EQ(plain.bytes()[8 + 16], 0) << "no blob section announced";

    EXPECT_EQ(log.field(logfield::Value.name).asString(), "");
    EXPECT_TRUE(log.hasBlobManager());
    MemoryStream withPages;
    log.saveToStream(withPages);
    EXPECT_EQ(withPages.bytes()[8 + 16], 2);
    EXPECT_EQ(withPages.size(), plain.size() + 136) << "an empty page section";
    log.close();
    EXPECT_FALSE(log.hasBlobManager());
}

}  // namespace
}  // namespace vk
