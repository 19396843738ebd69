#pragma once
// The transport stream reader (TTransporter) and writer (SaveDataSetToStream).
// A transport stream is a self-describing serialisation of one table (a fixed
// header, one descriptor per field, then the records back to back). The
// installer reads its payload through the reader and writes its install log
// with the writer; the two are exact inverses.
//
// Layout (little-endian, absolute offsets):
//   header, 20 bytes: record count, field count N, data start (20 + 36 N),
//                     data end, reserved 0 (all int32)
//   N descriptors, 36 bytes each: name length (uint8, <= 32), 32 bytes of
//                     Windows-1251 name, type code (uint8), size (uint16)
//   records up to data end: presence bitmap of ceil(N/8) bytes (bit i, least
//                     significant first, set when field i has a value), then
//                     each present value: strings and blob kinds as int32
//                     length + bytes, any other type as exactly `size` bytes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datalib/DataSet.h"
#include "platform/Stream.h"

namespace vk {

struct TransportHeader {
    std::int32_t recordCount = 0;
    std::int32_t fieldCount = 0;
    std::int32_t dataStart = 0;
    std::int32_t dataEnd = 0;
    std::int32_t reserved = 0;
};

// A read-only dataset over a transport stream. The stream stays open while the
// dataset is; only the current record's strings and fixed values are held,
// and a blob is read only into the stream openBlob hands out.
//
// Nothing in the stream is trusted: every count, length and offset is checked
// against the header and the stream's size, and anything inconsistent throws
// Error naming the stream and the problem.
//
// Navigation follows the dataset framework: after first() the cursor is on the
// first record (eof() at once when there is none); next() past the last record
// sets eof() and keeps the last record current; prior() from there goes to the
// record before the last. Records carry no length, so prior() rescans from the
// first record.
class TTransporter final : public DataSet {
public:
    TTransporter() = default;
    ~TTransporter() override;
    TTransporter(const TTransporter&) = delete;
    TTransporter& operator=(const TTransporter&) = delete;

    // Closes any open stream, takes ownership of this one and opens it,
    // positioned on the first record. A null stream throws "Data Stream Missing".
    void OpenStream(std::unique_ptr<Stream> stream);
    // Releases the stream; the dataset has no fields afterwards.
    void Close();
    bool isOpen() const { return stream_ != nullptr; }

    const TransportHeader& header() const { return header_; }
    // Where the current record starts and ends in the stream.
    std::int64_t recordOffset() const;
    std::int64_t recordEnd() const;
    // The byte length of a blob value of the current record (0 when null),
    // without reading it.
    std::int64_t blobSize(int field) const;

    // --- DataSet
    const std::vector<FieldDef>& fieldDefs() const override { return defs_; }
    void first() override;
    void next() override;
    void prior() override;
    void last() override;
    bool eof() const override { return eof_; }
    bool bof() const override { return bof_; }
    // The header's record count, without scanning.
    int recordCount() const override { return header_.recordCount; }

    bool isNull(int field) const override;
    std::string asString(int field) const override;
    std::int64_t asInteger(int field) const override;
    std::vector<std::uint8_t> nativeValue(int field) const override;
    std::unique_ptr<Stream> openBlob(int field) override;

private:
    // One field of the current record: a string's Windows-1251 bytes or a
    // fixed value's native bytes, or where a blob value lies in the stream.
    struct Value {
        bool present = false;
        std::string bytes;
        std::int64_t blobOffset = 0;
        std::int64_t blobLength = 0;
    };

    void readStructure();
    void checkRecordCount();
    void requireOpen() const;
    void requireRecord() const;
    const Value& value(int field) const;
    // Parses the record at offset; fills record_ when keep, else only skips.
    // Returns the offset just past the record.
    std::int64_t scanRecord(std::int64_t offset, bool keep);
    void moveTo(std::int64_t offset);
    // Copies a blob value of the current record (its bounds checked when read).
    void copyBlob(const Value& v, Stream& out) const;

    std::unique_ptr<Stream> stream_;
    TransportHeader header_;
    std::vector<FieldDef> defs_;
    std::vector<Value> record_;
    bool hasRecord_ = false;
    std::int64_t current_ = 0;
    std::int64_t currentEnd_ = 0;
    bool eof_ = true;
    bool bof_ = true;
};

// Called after each record with the error text of that record (empty when it
// was written); returning false stops the write there.
using RecordSavedCallback = std::function<bool(const std::string& error)>;

// Writes the dataset from its first record as a transport stream at out's
// position (offsets in the header are absolute positions in out). A record
// whose values cannot be read or encoded (an Error) is rolled back: the
// stream returns to where the record began, the count is not increased and
// the callback gets the message. Other failures abort the write. On return
// out is positioned at data end and the dataset at its end (or at the record
// where the callback stopped). Does nothing when data or out is null.
void SaveDataSetToStream(DataSet* data, Stream* out, const RecordSavedCallback& onRecordSaved = {});

}  // namespace vk
