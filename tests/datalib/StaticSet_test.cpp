#include "datalib/Statics.h"

#include <gtest/gtest.h>

#include "dbenv/ConnectionSets.h"
#include "engine/InstallLog.h"
#include "platform/Error.h"
#include "platform/Stream.h"

namespace vk {
namespace {

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

void addParam(TStaticSet& set, int connectNo, const std::string& name, const std::string& value = "v") {
    set.append();
    if (set.fieldIndex("ConnectNo") >= 0) set.field("ConnectNo").setInteger(connectNo);
    set.field("Name").setString(name);
    set.field("Value").setString(value);
    set.post();
}

std::vector<std::string> column(TStaticSet& set, std::string_view name) {
    std::vector<std::string> values;
    for (set.first(); !set.eof(); set.next()) values.push_back(set.field(name).asString());
    return values;
}

using Strings = std::vector<std::string>;

class DBParams : public ::testing::Test {
protected:
    void SetUp() override {
        defineDBParams(set);
        set.open();
    }
    TStaticSet set;
};

TEST_F(DBParams, KeepsKeyOrderWithEqualKeysInCreationOrder) {
    addParam(set, 1, "Zeta", "first");
    addParam(set, 0, "beta");
    addParam(set, 1, "alpha");
    addParam(set, 1, "Zeta", "second");
    addParam(set, 0, "Alpha");
    EXPECT_EQ(column(set, "Name"), (Strings{"Alpha", "beta", "alpha", "Zeta", "Zeta"}));
    EXPECT_EQ(column(set, "Value"), (Strings{"v", "v", "v", "first", "second"}));

    // The leftmost match of equal keys, and of the leading key alone.
    ASSERT_TRUE(set.findKey({1, "zeta"}));
    EXPECT_EQ(set.field("Value").asString(), "first");
    ASSERT_TRUE(set.findKey({1}));
    EXPECT_EQ(set.field("Name").asString(), "alpha");
}

TEST_F(DBParams, FailedFindKeyLeavesTheCursorAndPendingEditIsPostedFirst) {
    addParam(set, 0, "A");
    addParam(set, 0, "B");
    addParam(set, 0, "C");
    ASSERT_TRUE(set.findKey({0, "B"}));
    EXPECT_FALSE(set.findKey({0, "Bb"}));
    EXPECT_FALSE(set.findKey({2}));
    EXPECT_EQ(set.field("Name").asString(), "B");

    set.edit();
    set.field("Name").setString("D");
    EXPECT_TRUE(set.findKey({0, "d"}));
    EXPECT_EQ(set.state(), DataSetState::Browse);
    EXPECT_EQ(column(set, "Name"), (Strings{"A", "C", "D"}));
}

TEST_F(DBParams, RangeShowsOneGroupInNameOrder) {
    addParam(set, 1, "x");
    addParam(set, 0, "Server");
    addParam(set, 2, "y");
    addParam(set, 0, "Path");
    set.setRange({0});
    EXPECT_EQ(set.recordCount(), 2);
    EXPECT_EQ(column(set, "Name"), (Strings{"Path", "Server"}));
    EXPECT_FALSE(set.findKey({1, "x"})) << "a record outside the range is not found";

    // A record posted into the group joins the window in its place.
    addParam(set, 0, "Alias");
    addParam(set, 3, "z");
    EXPECT_EQ(column(set, "Name"), (Strings{"Alias", "Path", "Server"}));

    set.cancelRange();
    EXPECT_EQ(set.recordCount(), 6);
    EXPECT_EQ(set.field("Name").asString(), "Alias");
}

TEST_F(DBParams, AutoIncKeysAreNeverGivenBack) {
    set.append();
    EXPECT_EQ(set.field("ID").asInteger(), 1);
    set.cancel();
    addParam(set, 0, "a");
    EXPECT_EQ(set.field("ID").asInteger(), 2);
    set.setOnGenerateKey([] { return 0; });
    addParam(set, 0, "b");
    EXPECT_TRUE(set.field("ID").isNull()) << "a zero key leaves the field alone";
    EXPECT_EQ(set.keyCounter(), 2);
}

TEST_F(DBParams, EditedRecordMovesToItsNewPlace) {
    addParam(set, 0, "A");
    addParam(set, 0, "B");
    addParam(set, 0, "C");
    ASSERT_TRUE(set.findKey({0, "A"}));
    set.edit();
    set.field("Name").setString("Z");
    set.post();
    EXPECT_EQ(set.field("Name").asString(), "Z");
    EXPECT_EQ(column(set, "Name"), (Strings{"B", "C", "Z"}));
}

TEST_F(DBParams, IndexChangesResortAndKeepTheCursor) {
    addParam(set, 2, "A");
    addParam(set, 1, "B");
    addParam(set, 0, "C");
    ASSERT_TRUE(set.findKey({1, "B"}));
    set.setIndexFieldNames(" -Name ; connectno");
    EXPECT_EQ(set.field("Name").asString(), "B");
    EXPECT_EQ(column(set, "Name"), (Strings{"C", "B", "A"}));

    EXPECT_EQ(errorOf([&] { set.setIndexFieldNames("Name;Nope"); }), "Сектор с именем Nope не найден");
    EXPECT_EQ(set.indexFieldNames(), " -Name ; connectno");
}

TEST_F(DBParams, StringsAreCutToTheFieldSizeInCharacters) {
    set.append();
    std::string longName;
    for (int i = 0; i < 70; ++i) longName += "Ж";
    set.field("Name").setString(longName);
    set.post();
    std::string stored = set.field("Name").asString();
    EXPECT_EQ(stored.size(), 64u * 2) << "64 Cyrillic characters, each two bytes in UTF-8";
    const Sector& name = set.layout().sector(1);
    std::vector<std::uint8_t> image;
    MemoryStream stream;
    set.saveToStream(stream);
    const std::uint8_t* record = stream.bytes().data() + 136;
    EXPECT_EQ(record[name.offset], 0xC6) << "stored in Windows-1251";
    EXPECT_EQ(record[name.offset + 64], 0) << "terminator after 64 bytes";
    EXPECT_EQ(record[name.offset + 65], 3) << "status: assigned and changed";
}

TEST_F(DBParams, RefusesWhatTheSetCannotDo) {
    EXPECT_EQ(errorOf([&] { set.field(9); set.isNull(9); }), "Невозможно получить сектор по полю");

    set.setReadOnly(true);
    EXPECT_EQ(errorOf([&] { set.append(); }), "Cannot modify a read-only dataset");
    set.setReadOnly(false);

    set.close();
    set.clearFields();
    set.addField({"Name", FieldType::String, 10, true});
    set.setIndexFieldNames("");
    set.open();
    set.append();
    EXPECT_EQ(errorOf([&] { set.post(); }), "Поле 'Name' должно иметь значение");
    EXPECT_EQ(set.state(), DataSetState::Insert);
    set.field("Name").setString("");
    EXPECT_NO_THROW(set.post()) << "an empty text is a value";
}

TEST_F(DBParams, ModifiedFlagFollowsPostsDeletesAndSaves) {
    EXPECT_FALSE(set.modified());
    addParam(set, 0, "a");
    addParam(set, 0, "b");
    EXPECT_TRUE(set.modified());
    MemoryStream stream;
    set.saveToStream(stream);
    EXPECT_FALSE(set.modified());
    set.emptyTable();
    EXPECT_EQ(set.recordCount(), 0);
    EXPECT_FALSE(set.modified()) << "emptying the table does not count as a change";
    addParam(set, 0, "c");
    set.saveToStream(stream);
    set.remove();
    EXPECT_TRUE(set.modified());
    EXPECT_TRUE(set.eof());
}

TEST(StaticSet, UnindexedSetPlacesAppendsLastAndInsertsBeforeTheCurrentRecord) {
    TStaticSet log;
    defineLog(log);
    log.open();
    for (const char* text : {"one", "three"}) {
        log.append();
        log.field(logfield::InfType.name).setString(text);
        log.post();
    }
    log.first();
    log.next();
    log.insert();
    log.field(logfield::InfType.name).setString("two");
    log.post();
    EXPECT_EQ(log.field(logfield::InfType.name).asString(), "two");
    EXPECT_EQ(column(log, logfield::InfType.name), (Strings{"one", "two", "three"}));
    log.last();
    log.remove();
    EXPECT_EQ(log.field(logfield::InfType.name).asString(), "two") << "deleting the last record moves to the new last";
}

TEST(StaticSet, EmptyTableThenAppendsOrderByKey) {
    TStaticSet updates;
    defineUpdates(updates);
    updates.open();
    for (int n : {5, 6}) {
        updates.append();
        updates.field("OrderNo").setInteger(n);
        updates.post();
    }
    updates.emptyTable();
    for (int n : {3, 1, 2}) {
        updates.append();
        updates.field("OrderNo").setInteger(n);
        updates.post();
    }
    EXPECT_EQ(column(updates, "OrderNo"), (Strings{"1", "2", "3"}));
}

TEST(StaticSet, SortedSetOrdersByItsHandlersAndSectorHandlerOverridesATypeComparison) {
    TStaticSet set;
    defineSysParams(set);
    set.setIndexFieldNames("");
    set.open();
    const RecordLayout& layout = set.layout();
    auto nameLength = [&](const std::uint8_t* record) { return layout.text(record, 1).size(); };
    set.setOnCompareRecords([&](const std::uint8_t* a, const std::uint8_t* b) {
        return static_cast<int>(nameLength(a)) - static_cast<int>(nameLength(b));
    });
    for (const char* name : {"ccc", "a", "bb", "d"}) {
        set.append();
        set.field("Name").setString(name);
        set.post();
    }
    EXPECT_EQ(column(set, "Name"), (Strings{"ccc", "a", "bb", "d"}));
    set.setSorted(true);
    EXPECT_EQ(column(set, "Name"), (Strings{"a", "d", "bb", "ccc"})) << "ties keep their order";
    EXPECT_FALSE(set.findKey({"a"})) << "a sorted set has no key order to search";

    set.setSorted(false);
    set.setOnCompareSectors([&](int, const std::uint8_t* a, const std::uint8_t* b, bool& done) {
        done = true;
        return static_cast<int>(nameLength(b)) - static_cast<int>(nameLength(a));
    });
    set.setIndexFieldNames("Name");
    EXPECT_EQ(column(set, "Name"), (Strings{"ccc", "bb", "a", "d"}));
}

TEST(StaticSet, ConvertsEveryFieldKind) {
    TStaticSet set("kinds");
    set.addField({"Flag", FieldType::Boolean, 0, false});
    set.addField({"Plain", FieldType::Boolean, 0, false}, BooleanStyle::Plain);
    set.addField({"Small", FieldType::SmallInt, 0, false});
    set.addField({"Word", FieldType::Word, 0, false});
    set.addField({"Amount", FieldType::Currency, 0, false});
    set.addField({"Day", FieldType::Date, 0, false});
    set.addField({"At", FieldType::DateTime, 0, false});
    set.setIndexFieldNames("Plain;-Amount");
    EXPECT_EQ(set.layout().dataSize(), 3u + 3 + 3 + 3 + 9 + 5 + 9);
    EXPECT_EQ(set.fieldDefs()[0].type, FieldType::SmallInt) << "a word-boolean reads as a small integer";
    set.open();

    set.append();
    set.field("Flag").setString("5");
    set.field("Plain").setString("t");
    set.field("Small").setInteger(-2);
    set.setFloat(4, 2.5);
    set.field("Day").setString("2004-02-29");
    set.field("At").setString("2004-02-29 13:45:10");
    set.post();
    EXPECT_EQ(set.field("Flag").asInteger(), 5);
    EXPECT_EQ(set.field("Flag").asString(), "True");
    EXPECT_EQ(set.field("Plain").asString(), "True");
    EXPECT_EQ(set.field("Small").asInteger(), -2);
    EXPECT_EQ(set.field("Amount").asString(), "2.5");
    EXPECT_EQ(set.field("Day").asString(), "2004-02-29");
    EXPECT_EQ(set.field("Day").asInteger(), 731640) << "day number with 0001-01-01 as day 1";
    EXPECT_EQ(set.field("At").asString(), "2004-02-29 13:45:10");
    EXPECT_EQ(set.nativeValue(2), (std::vector<std::uint8_t>{0xFE, 0xFF}));

    EXPECT_EQ(errorOf([&] { set.field("Word").setInteger(70000); }),
              "70000 is not a valid value for field 'Word'. The allowed range is 0 to 65535");
    EXPECT_EQ(errorOf([&] { set.field("Plain").setString("maybe"); }), "'maybe' is not a valid boolean value");
    set.cancel();

    set.append();
    set.field("Plain").setString("False");
    set.setFloat(4, 1.0);
    set.post();
    set.append();
    set.field("Plain").setString("False");
    set.setFloat(4, 7.25);
    set.post();
    EXPECT_EQ(column(set, "Amount"), (Strings{"7.25", "1", "2.5"})) << "false before true, amounts descending";
}

// A container that records what the set asks of it.
class RecordingContainer : public StaticSetContainer {
public:
    bool hasFile() override { return !fileName.empty(); }
    void loadStaticSet(TStaticSet& set) override {
        calls.push_back("load " + set.streamName());
        stored.seek(0, SeekOrigin::Begin);
        set.loadFromStream(stored);
    }
    void saveStaticSet(TStaticSet& set) override {
        calls.push_back("save " + set.streamName());
        stored.seek(0, SeekOrigin::Begin);
        set.saveToStream(stored);
    }
    void registerSet(TStaticSet& set) override { calls.push_back("register " + set.streamName()); }
    void unregisterSet(TStaticSet& set) override {
        calls.push_back("unregister " + set.streamName() + (set.fileStorage() == this ? " (attached)" : ""));
    }

    std::string fileName;
    MemoryStream stored;
    Strings calls;
};

TEST(StaticSet, LoadsAndSavesThroughItsContainer) {
    RecordingContainer container;
    {
        TStaticSet set;
        defineSysParams(set);
        set.setFileStorage(&container);
        set.open();  // the container names no file yet: nothing is loaded
        addParam(set, 0, "Kept");
        container.fileName = "C:\\x.dbx";
        set.close();
        set.open();
        EXPECT_EQ(set.recordCount(), 1);
        set.close();  // unmodified: not saved
        set.setOptions(set.options() | sdoForceUpdates);
        set.open();
        addParam(set, 0, "Second");
        EXPECT_EQ(container.calls.back(), "save ssSysParams");
    }
    EXPECT_EQ(container.calls, (Strings{"register ssSysParams", "save ssSysParams", "load ssSysParams",
                                         "load ssSysParams", "save ssSysParams",
                                         "unregister ssSysParams (attached)"}));
}

}  // namespace
}  // namespace vk
