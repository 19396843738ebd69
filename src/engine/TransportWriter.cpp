// SaveDataSetToStream: the write side of transport streams.
#include <cstring>
#include <limits>

#include "engine/IMDTools.h"
#include "engine/TransportFormat.h"
#include "platform/Error.h"
#include "platform/LittleEndian.h"
#include "platform/Text.h"

namespace vk {

using namespace transport;

namespace {

constexpr std::int64_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

// The descriptor's size: a string's declared length, a fixed value's width, 0 for blobs.
std::uint16_t storedSize(const FieldDef& def) {
    if (isBlobType(def.type)) return 0;
    if (def.type == FieldType::String) return def.size;
    const std::uint16_t width = nativeSize(def.type);
    return width != 0 ? width : def.size;
}

void writeInt32(Stream& out, std::int64_t value) {
    std::uint8_t raw[4];
    storeLeInt32(raw, static_cast<std::int32_t>(value));
    out.write(raw, sizeof raw);
}

void writeDescriptor(Stream& out, const FieldDef& def) {
    std::uint8_t d[kDescriptorSize] = {};
    const std::string name = toCp1251(truncateChars(def.name, kMaxNameBytes));
    d[0] = static_cast<std::uint8_t>(name.size());
    std::memcpy(d + 1, name.data(), name.size());
    d[kTypeOffset] = static_cast<std::uint8_t>(def.type);
    const std::uint16_t size = storedSize(def);
    d[kSizeOffset] = static_cast<std::uint8_t>(size);
    d[kSizeOffset + 1] = static_cast<std::uint8_t>(size >> 8);
    out.write(d, sizeof d);
}

void writeValue(DataSet& data, int field, const FieldDef& def, Stream& out) {
    auto fail = [&](const std::string& what) { throw Error("Field \"" + def.name + "\": " + what); };
    if (def.type == FieldType::String) {
        const std::string text = toCp1251(data.asString(field));
        if (text.size() > def.size)
            fail("a text of " + std::to_string(text.size()) + " characters is longer than the declared size " +
                 std::to_string(def.size));
        writeInt32(out, static_cast<std::int64_t>(text.size()));
        out.write(text.data(), text.size());
    } else if (isBlobType(def.type)) {
        auto blob = data.openBlob(field);
        const std::int64_t length = blob->size() - blob->position();
        if (length > kMaxInt32) fail("a value of " + std::to_string(length) + " bytes is too large");
        writeInt32(out, length);
        out.copyFrom(*blob, length);
    } else {
        const std::vector<std::uint8_t> value = data.nativeValue(field);
        if (value.size() != storedSize(def))
            fail("a value of " + std::to_string(value.size()) + " bytes where " + std::to_string(storedSize(def)) +
                 " are stored");
        out.write(value.data(), value.size());
    }
}

void writeRecord(DataSet& data, Stream& out) {
    const auto& defs = data.fieldDefs();
    std::vector<std::uint8_t> bitmap(static_cast<std::size_t>(bitmapBytes(static_cast<std::int64_t>(defs.size()))));
    for (std::size_t i = 0; i < defs.size(); ++i)
        if (!data.isNull(static_cast<int>(i))) bitmap[i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
    out.write(bitmap.data(), bitmap.size());
    for (std::size_t i = 0; i < defs.size(); ++i)
        if (bitmap[i / 8] & (1u << (i % 8))) writeValue(data, static_cast<int>(i), defs[i], out);
}

}  // namespace

void SaveDataSetToStream(DataSet* data, Stream* out, const RecordSavedCallback& onRecordSaved) {
    if (!data || !out) return;
    const std::int64_t headerAt = out->position();
    const std::uint8_t blank[kHeaderSize] = {};
    out->write(blank, sizeof blank);
    for (const FieldDef& def : data->fieldDefs()) writeDescriptor(*out, def);
    const std::int64_t dataStart = out->position();

    std::int64_t count = 0;
    data->first();
    while (!data->eof()) {
        std::string error;
        const std::int64_t recordAt = out->position();
        try {
            writeRecord(*data, *out);
            ++count;
        } catch (const Error& e) {
            // The next record overwrites what this one left behind.
            error = e.what();
            out->seek(recordAt, SeekOrigin::Begin);
        }
        if (onRecordSaved && !onRecordSaved(error)) break;
        data->next();
    }

    const std::int64_t dataEnd = out->position();
    if (dataEnd > kMaxInt32) throw Error(out->name() + ": a transport stream cannot exceed 2 GB");
    std::uint8_t header[kHeaderSize] = {};
    storeLeInt32(header, static_cast<std::int32_t>(count));
    storeLeInt32(header + 4, static_cast<std::int32_t>(data->fieldCount()));
    storeLeInt32(header + 8, static_cast<std::int32_t>(dataStart));
    storeLeInt32(header + 12, static_cast<std::int32_t>(dataEnd));
    out->seek(headerAt, SeekOrigin::Begin);
    out->write(header, sizeof header);
    out->seek(dataEnd, SeekOrigin::Begin);
}

}  // namespace vk
