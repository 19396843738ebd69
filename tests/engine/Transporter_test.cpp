#include <gtest/gtest.h>

#include <functional>

#include "engine/IMDTools.h"
#include "engine/TransportTestSupport.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk {
namespace {

using test::Bytes;

// header + descriptors + records, with the header's figures as the format defines them.
std::vector<std::uint8_t> assemble(int recordCount, int fieldCount, const Bytes& descriptors, const Bytes& records) {
    const int dataStart = 20 + 36 * fieldCount;
    Bytes all;
    all.i32(recordCount).i32(fieldCount).i32(dataStart).i32(dataStart + records.size()).i32(0);
    all.data.insert(all.data.end(), descriptors.data.begin(), descriptors.data.end());
    all.data.insert(all.data.end(), records.data.begin(), records.data.end());
    return all.data;
}

Bytes payloadDescriptors() {
    Bytes d;
    d.descriptor("ИмяФайла", 1, 64).descriptor("ТипФайла", 3, 4).descriptor("Индекс", 2, 2).descriptor("Данные", 16, 0);
    return d;
}

// Two payload records: one without Индекс (bitmap 0x0B), one with it (0x0F) and an empty blob.
Bytes payloadRecords() {
    Bytes r;
    r.u8(0x0B).text("Vorkast.exe").i32(1).text("SZDD body");
    r.u8(0x0F).text(toCp1251("Конфиг.gdb")).i32(2).u16(1).text("");
    return r;
}

std::unique_ptr<Stream> streamOf(std::vector<std::uint8_t> bytes, std::string name = "test.trs") {
    return std::make_unique<MemoryStream>(std::move(bytes), std::move(name));
}

std::string blobText(TTransporter& t, int field) {
    auto blob = t.openBlob(field);
    EXPECT_EQ(blob->position(), 0);
    std::string text(static_cast<std::size_t>(blob->size()), '\0');
    blob->readExact(text.data(), text.size());
    return text;
}

TEST(Transporter, ReadsAPayloadWrittenByHand) {
    TTransporter t;
    t.OpenStream(streamOf(assemble(2, 4, payloadDescriptors(), payloadRecords())));

    ASSERT_EQ(t.fieldCount(), 4);
    EXPECT_EQ(t.fieldDefs()[0].name, "ИмяФайла");
    EXPECT_EQ(t.fieldDefs()[0].type, FieldType::String);
    EXPECT_EQ(t.fieldDefs()[0].size, 64);
    EXPECT_EQ(t.fieldDefs()[2].type, FieldType::SmallInt);
    EXPECT_EQ(t.fieldDefs()[3].type, FieldType::Memo);
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_EQ(t.header().dataStart, 164);

    ASSERT_FALSE(t.eof());
    EXPECT_EQ(t.recordOffset(), 164);
    EXPECT_EQ(t.field("ИмяФайла").asString(), "Vorkast.exe");
    EXPECT_EQ(t.field("типфайла").asInteger(), 1);
    EXPECT_TRUE(t.field("Индекс").isNull());
    EXPECT_EQ(t.field("Индекс").asInteger(), 0);
    EXPECT_EQ(t.blobSize(3), 9);
    EXPECT_EQ(blobText(t, 3), "SZDD body");
    EXPECT_EQ(t.field("Данные").asString(), "SZDD body");

    t.next();
    ASSERT_FALSE(t.eof());
    EXPECT_EQ(t.field("ИмяФайла").asString(), "Конфиг.gdb");
    EXPECT_EQ(t.field("Индекс").asInteger(), 1);
    EXPECT_EQ(t.field("Индекс").asString(), "1");
    EXPECT_FALSE(t.field("Данные").isNull());
    EXPECT_EQ(blobText(t, 3), "");
    EXPECT_EQ(t.recordEnd(), t.header().dataEnd);

    t.next();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.field("ТипФайла").asInteger(), 2) << "the last record stays current at the end";
    EXPECT_THROW(t.openBlob(0), Error) << "a string field has no blob";
}

std::vector<std::string> firstValues(TTransporter& t, const std::function<void()>& move, int steps) {
    std::vector<std::string> seen;
    for (int i = 0; i < steps; ++i) {
        move();
        seen.push_back(t.asString(0) + (t.bof() ? " bof" : "") + (t.eof() ? " eof" : ""));
    }
    return seen;
}

TEST(Transporter, NavigatesBothWaysAndRescansForPrior) {
    Bytes d, r;
    d.descriptor("N", 3, 4);
    for (int i = 1; i <= 3; ++i) r.u8(1).i32(i);
    TTransporter t;
    t.OpenStream(streamOf(assemble(3, 1, d, r)));

    EXPECT_EQ(t.asString(0), "1");
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(firstValues(t, [&] { t.next(); }, 3), (std::vector<std::string>{"2", "3", "3 eof"}));
    EXPECT_EQ(firstValues(t, [&] { t.prior(); }, 3), (std::vector<std::string>{"2", "1", "1 bof"}));
    t.last();
    EXPECT_EQ(t.asString(0), "3");
    EXPECT_TRUE(t.eof());
    t.prior();
    EXPECT_EQ(t.asString(0), "2");
    t.first();
    EXPECT_EQ(t.asString(0), "1");
}

TEST(Transporter, NullsEmptyStringsAndNamesAlike) {
    Bytes d, r;
    d.descriptor("Name", 1, 10).descriptor("Kind", 3, 4).descriptor("Note", 16, 0).descriptor("name", 1, 10);
    r.u8(0b1001).text("").text("second");  // Kind and Note null, Name present and empty
    TTransporter t;
    t.OpenStream(streamOf(assemble(1, 4, d, r)));

    EXPECT_EQ(t.fieldDefs()[3].name, "name3");
    EXPECT_EQ(t.field("name3").asString(), "second");
    EXPECT_FALSE(t.isNull(0));
    EXPECT_EQ(t.asString(0), "");
    EXPECT_TRUE(t.isNull(1));
    EXPECT_TRUE(t.isNull(2));
    EXPECT_EQ(t.openBlob(2)->size(), 0);
}

TEST(Transporter, EmptyTablesReportNoData) {
    TTransporter t;
    t.OpenStream(streamOf(assemble(0, 4, payloadDescriptors(), Bytes())));
    EXPECT_EQ(t.fieldCount(), 4);
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.bof());
    t.next();
    t.last();
    t.prior();
    EXPECT_TRUE(t.eof());
    try {
        t.asString(0);
        FAIL() << "a value read without records must fail";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "test.trs: no data");
    }

    EXPECT_THROW(t.OpenStream(nullptr), Error);
    EXPECT_FALSE(t.isOpen());
}

// Opens the stream and reads every value of every record, blobs included.
void readEverything(std::vector<std::uint8_t> bytes) {
    TTransporter t;
    t.OpenStream(streamOf(std::move(bytes), "broken.trs"));
    for (; !t.eof(); t.next())
        for (int i = 0; i < t.fieldCount(); ++i) t.asString(i);
    t.last();
    t.prior();
}

TEST(Transporter, RejectsDamagedStreamsWithAClearMessage) {
    const auto good = assemble(2, 4, payloadDescriptors(), payloadRecords());
    auto patched = [&](std::size_t at, std::vector<std::uint8_t> bytes) {
        auto copy = good;
        std::copy(bytes.begin(), bytes.end(), copy.begin() + static_cast<long>(at));
        return copy;
    };
    auto le = [](std::int32_t v) {
        Bytes b;
        b.i32(v);
        return b.data;
    };
    const std::size_t firstRecord = 164;
    const std::size_t secondRecord = firstRecord + 1 + 4 + 11 + 4 + 4 + 9;
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"negative record count", patched(0, le(-1)), "negative record count"},
        {"more records than bytes", patched(0, le(1000)), "record count 1000 does not fit"},
        {"huge field count", patched(4, le(0x7FFFFFFF)), "field count 2147483647 does not fit"},
        {"negative field count", patched(4, le(-4)), "field count -4 does not fit"},
        {"data start off the descriptors", patched(8, le(160)), "data start 160 does not follow"},
        {"data end past the stream", patched(12, le(static_cast<std::int32_t>(good.size()) + 1)), "data end"},
        {"data end before data start", patched(12, le(100)), "data end 100"},
        {"blank header", std::vector<std::uint8_t>(200, 0), "never completed"},
        {"name longer than 32", patched(20, {33}), "name length 33 exceeds 32"},
        {"fewer bytes than a header", std::vector<std::uint8_t>{1, 0, 0, 0, 1}, "not a transport stream: 5 bytes"},
        {"empty file", std::vector<std::uint8_t>{}, "not a transport stream: 0 bytes"},
        {"fewer records than counted", patched(0, le(3)), "the header counts 3 records but the data holds 2"},
        {"more records than counted", patched(0, le(1)), "the header counts 1 records but the data holds 2"},
        {"text longer than declared", patched(firstRecord + 1, le(65)), "longer than the declared size 64"},
        {"negative text length", patched(firstRecord + 1, le(-2)), "negative length -2"},
        {"blob past data end", patched(firstRecord + 1 + 4 + 11 + 4, le(1000)), "runs past data end"},
        {"negative blob length", patched(firstRecord + 1 + 4 + 11 + 4, le(-1)), "negative length"},
        {"record cut by data end", patched(12, le(static_cast<std::int32_t>(secondRecord + 3))), "runs past data end"},
        {"duplicate after suffixing", [] {
             Bytes d;
             d.descriptor("A", 3, 4).descriptor("A2", 3, 4).descriptor("A", 3, 4);
             return assemble(0, 3, d, Bytes());
         }(), "duplicate field name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            readEverything(c.bytes);
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("broken.trs: "), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

// Fixed values take their declared size, whatever the type's width here, and
// a text ends at its first zero as in the record's slot.
TEST(Transporter, ReadsValuesByTheirDeclaredSizeAndTextsUpToTheirZero) {
    Bytes d, r;
    d.descriptor("Flag", 5, 1).descriptor("Stamp", 9, 8).descriptor("Small", 2, 4).descriptor("Name", 1, 16);
    r.u8(0x0F).u8(1).raw(std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)).i32(-2).text(std::string("abc\0def", 7));
    TTransporter t;
    t.OpenStream(streamOf(assemble(1, 4, d, r)));

    EXPECT_EQ(t.fieldDefs()[0].size, 1);
    EXPECT_EQ(t.asInteger(0), 1);
    EXPECT_EQ(t.asString(1), "0102030405060708");
    EXPECT_EQ(t.asInteger(2), -2);
    EXPECT_EQ(t.nativeValue(2).size(), 2u);
    EXPECT_EQ(t.asString(3), "abc");
}

TEST(Transporter, RecordsWithoutFieldsCannotHang) {
    // No fields would make every record zero bytes long: such data is refused.
    Bytes all;
    all.i32(5).i32(0).i32(20).i32(24).i32(0).i32(0);
    EXPECT_THROW(readEverything(all.data), Error);
}

}  // namespace
}  // namespace vk
