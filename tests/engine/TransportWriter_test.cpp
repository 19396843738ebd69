#include <gtest/gtest.h>

#include "engine/IMDTools.h"
#include "engine/InstallLog.h"
#include "engine/TransportTestSupport.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk {
namespace {

using test::Bytes;
using test::RowsDataSet;

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::vector<FieldDef> logFields() {
    std::vector<FieldDef> fields;
    for (const InstallLogField& field : logfield::InOrder)
        fields.push_back({std::string(field.name), field.type, field.size});
    return fields;
}

std::vector<RowsDataSet::Row> logRows(int count) {
    std::vector<RowsDataSet::Row> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({"C:\\file" + std::to_string(i), std::to_string(i), std::string(logkind::File)});
    return rows;
}

std::vector<std::string> readValues(std::vector<std::uint8_t> bytes) {
    TTransporter t;
    t.OpenStream(std::make_unique<MemoryStream>(std::move(bytes), "log"));
    std::vector<std::string> values;
    for (; !t.eof(); t.next()) values.push_back(t.asString(0));
    return values;
}

TEST(TransportWriter, WritesTheLayoutByteForByte) {
    const std::string longName = repeat("Д", 40);
    RowsDataSet data({{"Имя", FieldType::String, 8, false},
                      {"Число", FieldType::Integer, 4, false},
                      {"Кратко", FieldType::SmallInt, 2, false},
                      {"Заметка", FieldType::Memo, 0, false},
                      {longName, FieldType::String, 3, false}},
                     {{"Тест", "7", "-2", "memo", "abc"}, {"", std::nullopt, std::nullopt, std::nullopt, std::nullopt}});
    MemoryStream out;
    SaveDataSetToStream(&data, &out);

    Bytes records;
    records.u8(0x1F).text(toCp1251("Тест")).i32(7).u16(0xFFFE).text("memo").text("abc");
    records.u8(0x01).text("");
    Bytes expected;
    const int dataStart = 20 + 36 * 5;
    expected.i32(2).i32(5).i32(dataStart).i32(dataStart + records.size()).i32(0);
    expected.descriptor("Имя", 1, 8).descriptor("Число", 3, 4).descriptor("Кратко", 2, 2);
    expected.descriptor("Заметка", 16, 0).descriptor(repeat("Д", 32), 1, 3);
    expected.raw(std::string(records.data.begin(), records.data.end()));

    EXPECT_EQ(out.bytes(), expected.data);
    EXPECT_EQ(out.position(), out.size());
    EXPECT_TRUE(data.eof());
}

TEST(TransportWriter, RoundTripsThroughTheReader) {
    RowsDataSet data(logFields(), logRows(3));
    MemoryStream out;
    SaveDataSetToStream(&data, &out);

    TTransporter t;
    t.OpenStream(std::make_unique<MemoryStream>(out.bytes(), "log"));
    EXPECT_EQ(t.recordCount(), 3);
    t.last();
    EXPECT_EQ(t.field(logfield::Value.name).asString(), "C:\\file2");
    EXPECT_EQ(t.field(logfield::ValType.name).asInteger(), 2);
    EXPECT_EQ(t.field(logfield::InfType.name).asString(), logkind::File);
    EXPECT_EQ(t.recordEnd(), out.size());
}

TEST(TransportWriter, EmptyTablesAndStreamsThatDoNotStartAtZero) {
    RowsDataSet data(logFields(), {});
    MemoryStream out;
    out.write("prefix", 6);
    SaveDataSetToStream(&data, &out);
    Bytes expected;
    expected.raw("prefix").i32(0).i32(3).i32(6 + 20 + 108).i32(6 + 20 + 108).i32(0);
    ASSERT_EQ(out.size(), 6 + 20 + 108);
    EXPECT_TRUE(std::equal(expected.data.begin(), expected.data.end(), out.bytes().begin()));

    SaveDataSetToStream(nullptr, &out);
    SaveDataSetToStream(&data, nullptr);
    EXPECT_EQ(out.size(), 6 + 20 + 108);
}

TEST(TransportWriter, DropsRecordsThatFailAndTellsTheCallback) {
    RowsDataSet data(logFields(), logRows(4));
    data.failing = {{1, 2}, {3, 2}};  // both fail after their memo was written
    MemoryStream out;
    std::vector<std::string> errors;
    SaveDataSetToStream(&data, &out, [&](const std::string& error) {
        errors.push_back(error);
        return true;
    });

    EXPECT_EQ(errors, (std::vector<std::string>{"", "cannot read row 1", "", "cannot read row 3"}));
    EXPECT_EQ(readValues(out.bytes()), (std::vector<std::string>{"C:\\file0", "C:\\file2"}));
    TTransporter t;
    t.OpenStream(std::make_unique<MemoryStream>(out.bytes(), "log"));
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_LT(t.header().dataEnd, out.size()) << "the dropped last record's bytes lie past data end";
    EXPECT_EQ(out.position(), t.header().dataEnd);
}

TEST(TransportWriter, StopsWhereTheCallbackSaysAndStillCompletesTheHeader) {
    RowsDataSet data(logFields(), logRows(3));
    MemoryStream out;
    SaveDataSetToStream(&data, &out, [](const std::string&) { return false; });
    EXPECT_EQ(data.position(), 0u) << "the cursor stays on the record where the write stopped";
    EXPECT_EQ(readValues(out.bytes()), (std::vector<std::string>{"C:\\file0"}));
}

TEST(TransportWriter, RefusesTextsTheReaderWouldRefuse) {
    RowsDataSet data(logFields(), {{"a", "1", "TOOLONGTEXT"}, {"b", "2", "€"}, {"c", "3", "日本"}});
    MemoryStream out;
    std::vector<std::string> errors;
    SaveDataSetToStream(&data, &out, [&](const std::string& error) {
        errors.push_back(error);
        return true;
    });
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_NE(errors[0].find("longer than the declared size 8"), std::string::npos) << errors[0];
    EXPECT_EQ(errors[1], "") << "the euro sign exists in Windows-1251";
    EXPECT_FALSE(errors[2].empty()) << "characters outside Windows-1251 cannot be stored";
    EXPECT_EQ(readValues(out.bytes()), (std::vector<std::string>{"b"}));
}

}  // namespace
}  // namespace vk
