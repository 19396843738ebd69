// TTransporter: the read side of transport streams.
#include <algorithm>
#include <charconv>
#include <cstring>

#include "engine/IMDTools.h"
#include "engine/TransportFormat.h"
#include "platform/Error.h"
#include "platform/LittleEndian.h"
#include "platform/Text.h"

namespace vk {

using namespace transport;

namespace {

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

// A value shorter than its type reads as if padded with zero bytes.
std::uint64_t readLittleEndian(const std::string& bytes, std::size_t width) {
    return loadLe(reinterpret_cast<const std::uint8_t*>(bytes.data()), std::min(width, bytes.size()));
}

}  // namespace

TTransporter::~TTransporter() = default;

void TTransporter::OpenStream(std::unique_ptr<Stream> stream) {
    Close();
    if (!stream) throw Error("Data Stream Missing");
    stream_ = std::move(stream);
    try {
        readStructure();
        first();
    } catch (...) {
        Close();
        throw;
    }
}

void TTransporter::Close() {
    stream_.reset();
    header_ = {};
    defs_.clear();
    record_.clear();
    hasRecord_ = false;
    current_ = currentEnd_ = 0;
    eof_ = bof_ = true;
}

void TTransporter::readStructure() {
    Stream& s = *stream_;
    auto fail = [&](const std::string& what) { throw Error(s.name() + ": " + what); };
    const std::int64_t size = s.size();
    // A stream too short for a header is a table with no fields and no records.
    if (size < kHeaderSize) return;

    std::uint8_t raw[kHeaderSize];
    s.seek(0, SeekOrigin::Begin);
    s.readExact(raw, sizeof raw);
    header_ = {loadLeInt32(raw), loadLeInt32(raw + 4), loadLeInt32(raw + 8), loadLeInt32(raw + 12), loadLeInt32(raw + 16)};
    const TransportHeader& h = header_;

    if (h.fieldCount == 0 && h.dataStart == 0 && h.dataEnd == 0)
        fail("the header is blank; the stream was never completed");
    if (h.recordCount < 0) fail("negative record count " + std::to_string(h.recordCount));
    if (h.fieldCount < 0 || h.fieldCount > (size - kHeaderSize) / kDescriptorSize)
        fail("field count " + std::to_string(h.fieldCount) + " does not fit the stream's " +
             std::to_string(size) + " bytes");
    const std::int64_t expectedStart = kHeaderSize + kDescriptorSize * h.fieldCount;
    if (h.dataStart != expectedStart)
        fail("data start " + std::to_string(h.dataStart) + " does not follow the " +
             std::to_string(h.fieldCount) + " field descriptors (expected " + std::to_string(expectedStart) + ")");
    if (h.dataEnd < h.dataStart || h.dataEnd > size)
        fail("data end " + std::to_string(h.dataEnd) + " lies outside the data (from " + std::to_string(h.dataStart) +
             " to the stream's end at " + std::to_string(size) + ")");
    const std::int64_t dataBytes = h.dataEnd - h.dataStart;
    if (h.fieldCount == 0 && dataBytes != 0) fail("records are stored but no fields are described");
    if (h.fieldCount > 0 && h.recordCount > dataBytes / bitmapBytes(h.fieldCount))
        fail("record count " + std::to_string(h.recordCount) + " does not fit the " + std::to_string(dataBytes) +
             " bytes of data");

    defs_.reserve(static_cast<std::size_t>(h.fieldCount));
    for (int i = 0; i < h.fieldCount; ++i) {
        std::uint8_t d[kDescriptorSize];
        s.readExact(d, sizeof d);
        const std::string at = "field descriptor " + std::to_string(i) + ": ";
        if (d[0] > kMaxNameBytes) fail(at + "name length " + std::to_string(d[0]) + " exceeds 32");
        FieldDef def;
        def.name = fromCp1251(std::string(reinterpret_cast<const char*>(d + 1), d[0]));
        def.type = static_cast<FieldType>(d[kTypeOffset]);
        def.size = loadLe16(d + kSizeOffset);
        // A second field of the same name is told apart by its index ("Name3").
        if (fieldIndex(def.name) >= 0) def.name += std::to_string(i);
        if (fieldIndex(def.name) >= 0) fail(at + "duplicate field name " + quoted(def.name));
        const std::uint16_t width = nativeSize(def.type);
        if (!hasLengthPrefix(def.type) && width != 0 && def.size != width)
            fail(at + "field " + quoted(def.name) + " has size " + std::to_string(def.size) +
                 " but its type is " + std::to_string(width) + " bytes wide");
        defs_.push_back(std::move(def));
    }
    record_.resize(defs_.size());
}

std::int64_t TTransporter::scanRecord(std::int64_t offset, bool keep) {
    Stream& s = *stream_;
    const std::int64_t end = header_.dataEnd;
    const std::string where = s.name() + ": record at offset " + std::to_string(offset);
    auto need = [&](std::int64_t pos, std::int64_t count, const std::string& what) {
        if (count > end - pos) throw Error(where + ": " + what + " runs past data end " + std::to_string(end));
    };

    std::int64_t pos = offset;
    const auto mapBytes = static_cast<std::size_t>(bitmapBytes(static_cast<std::int64_t>(defs_.size())));
    need(pos, static_cast<std::int64_t>(mapBytes), "the presence bitmap");
    std::vector<std::uint8_t> bitmap(mapBytes);
    s.seek(pos, SeekOrigin::Begin);
    s.readExact(bitmap.data(), mapBytes);
    pos += static_cast<std::int64_t>(mapBytes);

    for (std::size_t i = 0; i < defs_.size(); ++i) {
        const FieldDef& def = defs_[i];
        const bool present = (bitmap[i / 8] >> (i % 8)) & 1;
        if (keep) record_[i] = Value{present, {}, 0, 0};
        if (!present) continue;
        const std::string field = "field " + quoted(def.name);

        std::int64_t length = def.size;
        if (hasLengthPrefix(def.type)) {
            need(pos, 4, field + ": the length");
            std::uint8_t raw[4];
            s.seek(pos, SeekOrigin::Begin);
            s.readExact(raw, 4);
            pos += 4;
            length = loadLeInt32(raw);
            if (length < 0) throw Error(where + ": " + field + ": negative length " + std::to_string(length));
            if (def.type == FieldType::String && length > def.size)
                throw Error(where + ": " + field + ": a text of " + std::to_string(length) +
                            " bytes is longer than the declared size " + std::to_string(def.size));
        }
        need(pos, length, field + ": a value of " + std::to_string(length) + " bytes");
        if (keep && isBlobType(def.type)) {
            record_[i].blobOffset = pos;
            record_[i].blobLength = length;
        } else if (keep) {
            // Strings and fixed values are bounded by their descriptor's 16-bit size.
            std::string& bytes = record_[i].bytes;
            bytes.resize(static_cast<std::size_t>(length));
            s.seek(pos, SeekOrigin::Begin);
            s.readExact(bytes.data(), bytes.size());
        }
        pos += length;
    }
    return pos;
}

void TTransporter::moveTo(std::int64_t offset) {
    hasRecord_ = false;
    currentEnd_ = scanRecord(offset, true);
    current_ = offset;
    hasRecord_ = true;
}

void TTransporter::requireOpen() const {
    if (!stream_) throw Error("The transport dataset is not open");
}

void TTransporter::first() {
    requireOpen();
    hasRecord_ = false;
    bof_ = true;
    eof_ = header_.dataStart >= header_.dataEnd;
    if (!eof_) moveTo(header_.dataStart);
}

void TTransporter::next() {
    requireOpen();
    if (!hasRecord_ || currentEnd_ >= header_.dataEnd) {
        eof_ = true;
        return;
    }
    moveTo(currentEnd_);
    bof_ = eof_ = false;
}

void TTransporter::prior() {
    requireOpen();
    bof_ = true;
    if (!hasRecord_) return;
    eof_ = false;
    if (current_ <= header_.dataStart) return;
    // Records carry no length: find the one that ends where the current one starts.
    std::int64_t offset = header_.dataStart;
    for (;;) {
        const std::int64_t end = scanRecord(offset, false);
        if (end == current_) break;
        if (end > current_)
            throw Error(stream_->name() + ": no record ends at offset " + std::to_string(current_));
        offset = end;
    }
    moveTo(offset);
    bof_ = false;
}

void TTransporter::last() {
    requireOpen();
    bof_ = eof_ = true;
    if (header_.dataStart >= header_.dataEnd) return;
    std::int64_t offset = hasRecord_ ? current_ : header_.dataStart;
    for (std::int64_t end; (end = scanRecord(offset, false)) < header_.dataEnd;) offset = end;
    moveTo(offset);
    bof_ = false;
}

void TTransporter::requireRecord() const {
    requireOpen();
    if (!hasRecord_) throw Error(stream_->name() + ": no data");
}

std::int64_t TTransporter::recordOffset() const {
    requireRecord();
    return current_;
}

std::int64_t TTransporter::recordEnd() const {
    requireRecord();
    return currentEnd_;
}

const TTransporter::Value& TTransporter::value(int field) const {
    requireRecord();
    if (field < 0 || static_cast<std::size_t>(field) >= defs_.size())
        throw Error(stream_->name() + ": no field number " + std::to_string(field));
    return record_[static_cast<std::size_t>(field)];
}

bool TTransporter::isNull(int field) const { return !value(field).present; }

std::int64_t TTransporter::blobSize(int field) const { return value(field).blobLength; }

std::int64_t TTransporter::asInteger(int field) const {
    const Value& v = value(field);
    if (!v.present) return 0;
    const FieldDef& def = defs_[static_cast<std::size_t>(field)];
    switch (def.type) {
    case FieldType::SmallInt:
        return static_cast<std::int16_t>(readLittleEndian(v.bytes, 2));
    case FieldType::Integer:
    case FieldType::AutoInc:
        return static_cast<std::int32_t>(readLittleEndian(v.bytes, 4));
    case FieldType::Word:
        return static_cast<std::uint16_t>(readLittleEndian(v.bytes, 2));
    case FieldType::Boolean:
        return readLittleEndian(v.bytes, 2) != 0;
    case FieldType::String: {
        std::int64_t n = 0;
        const char* text = v.bytes.data();
        auto [end, ec] = std::from_chars(text, text + v.bytes.size(), n);
        if (ec == std::errc() && end == text + v.bytes.size() && !v.bytes.empty()) return n;
        break;
    }
    default:
        break;
    }
    throw Error(stream_->name() + ": field " + quoted(def.name) + " does not hold an integer");
}

std::string TTransporter::asString(int field) const {
    const Value& v = value(field);
    if (!v.present) return {};
    const FieldDef& def = defs_[static_cast<std::size_t>(field)];
    switch (def.type) {
    case FieldType::String:
        return fromCp1251(v.bytes);
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Word:
    case FieldType::Boolean:
        return std::to_string(asInteger(field));
    case FieldType::Float:
    case FieldType::Currency: {
        double d = 0;
        std::memcpy(&d, v.bytes.data(), sizeof d);
        char text[32];
        auto [end, ec] = std::to_chars(text, text + sizeof text, d);
        return std::string(text, end);
    }
    default:
        if (isBlobType(def.type)) {
            MemoryStream blob;
            copyBlob(v, blob);
            return fromCp1251(std::string(blob.bytes().begin(), blob.bytes().end()));
        }
        return toHex(v.bytes);
    }
}

std::vector<std::uint8_t> TTransporter::nativeValue(int field) const {
    const Value& v = value(field);
    const FieldDef& def = defs_[static_cast<std::size_t>(field)];
    if (hasLengthPrefix(def.type))
        throw Error(stream_->name() + ": field " + quoted(def.name) + " has no fixed-size value");
    return std::vector<std::uint8_t>(v.bytes.begin(), v.bytes.end());
}

std::unique_ptr<Stream> TTransporter::openBlob(int field) {
    const Value& v = value(field);
    const FieldDef& def = defs_[static_cast<std::size_t>(field)];
    if (!isBlobType(def.type)) throw Error(stream_->name() + ": field " + quoted(def.name) + " is not a blob");
    auto blob = std::make_unique<MemoryStream>(stream_->name() + ":" + def.name);
    // The length was checked against the stream when the record was read.
    blob->bytes().reserve(static_cast<std::size_t>(v.blobLength));
    copyBlob(v, *blob);
    blob->seek(0, SeekOrigin::Begin);
    return blob;
}

void TTransporter::copyBlob(const Value& v, Stream& out) const {
    if (v.blobLength == 0) return;
    stream_->seek(v.blobOffset, SeekOrigin::Begin);
    out.copyFrom(*stream_, v.blobLength);
}

}  // namespace vk
