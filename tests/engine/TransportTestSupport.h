#pragma once
// Helpers for transport stream tests: a builder for streams written byte by
// byte from the format's tables, and a small in-memory dataset to write from.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "datalib/DataSet.h"
#include "platform/Error.h"
#include "platform/Stream.h"
#include "platform/Text.h"

namespace vk::test {

// Little-endian bytes appended piece by piece.
class Bytes {
public:
    Bytes& u8(std::uint8_t v) { data.push_back(v); return *this; }
    Bytes& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& i32(std::int32_t v) {
        auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>(u >> (8 * i)));
        return *this;
    }
    Bytes& raw(const std::string& bytes) { data.insert(data.end(), bytes.begin(), bytes.end()); return *this; }
    // A field descriptor: the name (UTF-8, stored in Windows-1251) padded to 32 bytes.
    Bytes& descriptor(const std::string& utf8Name, std::uint8_t type, std::uint16_t size) {
        std::string name = toCp1251(utf8Name);
        u8(static_cast<std::uint8_t>(name.size())).raw(name).raw(std::string(32 - name.size(), '\0'));
        return u8(type).u16(size);
    }
    // A length-prefixed string or blob value.
    Bytes& text(const std::string& bytes) { return i32(static_cast<std::int32_t>(bytes.size())).raw(bytes); }
    std::int32_t size() const { return static_cast<std::int32_t>(data.size()); }

    std::vector<std::uint8_t> data;
};

// A read-only table of rows held as text; integers are decimal text, blobs raw bytes.
// A cell listed in failing throws Error when its value is read, as a damaged source would.
class RowsDataSet final : public DataSet {
public:
    using Row = std::vector<std::optional<std::string>>;

    RowsDataSet(std::vector<FieldDef> defs, std::vector<Row> rows) : defs_(std::move(defs)), rows_(std::move(rows)) {}

    std::set<std::pair<int, int>> failing;  // (row, field)

    const std::vector<FieldDef>& fieldDefs() const override { return defs_; }
    void first() override { row_ = 0; }
    void next() override { if (row_ < rows_.size()) ++row_; }
    void prior() override { if (row_ > 0) --row_; }
    void last() override { row_ = rows_.empty() ? 0 : rows_.size() - 1; }
    bool eof() const override { return row_ >= rows_.size(); }
    bool bof() const override { return row_ == 0; }
    int recordCount() const override { return static_cast<int>(rows_.size()); }
    std::size_t position() const { return row_; }

    bool isNull(int field) const override { return !rows_.at(row_).at(static_cast<std::size_t>(field)); }
    std::string asString(int field) const override { return cell(field).value_or(""); }
    std::int64_t asInteger(int field) const override { return std::stoll(cell(field).value_or("0")); }
    std::vector<std::uint8_t> nativeValue(int field) const override {
        auto v = static_cast<std::uint64_t>(asInteger(field));
        std::vector<std::uint8_t> bytes(nativeSize(defs_[static_cast<std::size_t>(field)].type));
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
        return bytes;
    }
    std::unique_ptr<Stream> openBlob(int field) override {
        std::string bytes = cell(field).value_or("");
        return std::make_unique<MemoryStream>(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

private:
    const std::optional<std::string>& cell(int field) const {
        if (failing.count({static_cast<int>(row_), field})) throw Error("cannot read row " + std::to_string(row_));
        return rows_.at(row_).at(static_cast<std::size_t>(field));
    }

    std::vector<FieldDef> defs_;
    std::vector<Row> rows_;
    std::size_t row_ = 0;
};

}  // namespace vk::test
