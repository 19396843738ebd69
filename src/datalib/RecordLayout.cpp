#include "datalib/RecordLayout.h"

#include <cstring>

#include "platform/LittleEndian.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk {

namespace {

// The bytes a value of this type occupies in its sector and how it compares.
// Dates and times keep the framework's native form: a date is an int32 day
// number, a time an int32 count of milliseconds, both ordered as integers; a
// date-time is a double.
std::pair<std::uint32_t, SectorType> sectorShape(const FieldDef& def, bool wordBoolean) {
    switch (def.type) {
    case FieldType::String:
        return {def.size + 1u, SectorType::String};
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Date:
    case FieldType::Time:
        return {4, SectorType::Integer};
    case FieldType::SmallInt:
    case FieldType::Word:
        return {2, SectorType::Integer};
    case FieldType::Boolean:
        return {2, wordBoolean ? SectorType::Integer : SectorType::Boolean};
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::DateTime:
        return {8, SectorType::Float};
    default:
        if (isBlobType(def.type)) return {4, SectorType::Integer};
        return {def.size, SectorType::String};
    }
}

}  // namespace

void RecordLayout::addField(FieldDef def, BooleanStyle style) {
    if (def.type == FieldType::Unknown) throw Error("Field '" + def.name + "' has no type");
    Sector sector;
    sector.wordBoolean = def.type == FieldType::Boolean && style == BooleanStyle::Word;
    auto [size, type] = sectorShape(def, sector.wordBoolean);
    if (sector.wordBoolean) def.type = FieldType::SmallInt;
    if (isBlobType(def.type)) def.size = 0;
    sector.type = type;
    sector.size = size;
    sector.offset = dataSize_;
    sector.def = def;
    dataSize_ += size + 1;
    sectors_.push_back(sector);
    defs_.push_back(std::move(def));
}

void RecordLayout::clear() {
    sectors_.clear();
    defs_.clear();
    dataSize_ = 0;
}

int RecordLayout::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < sectors_.size(); ++i)
        if (sameText(sectors_[i].def.name, name)) return static_cast<int>(i);
    return -1;
}

std::uint8_t RecordLayout::status(const std::uint8_t* record, int sector) const {
    const Sector& s = sectors_[static_cast<std::size_t>(sector)];
    return record[s.offset + s.size];
}

void RecordLayout::setNull(std::uint8_t* record, int sector) const {
    const Sector& s = sectors_[static_cast<std::size_t>(sector)];
    std::memset(record + s.offset, 0, s.size);
    record[s.offset + s.size] = kSectorChanged;
}

void RecordLayout::markAssigned(std::uint8_t* record, int sector) const {
    const Sector& s = sectors_[static_cast<std::size_t>(sector)];
    record[s.offset + s.size] = kSectorAssigned | kSectorChanged;
}

std::string_view RecordLayout::text(const std::uint8_t* record, int sector) const {
    const Sector& s = sectors_[static_cast<std::size_t>(sector)];
    const char* begin = reinterpret_cast<const char*>(record + s.offset);
    const void* zero = std::memchr(begin, 0, s.size);
    std::size_t length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - begin) : s.size;
    return {begin, length};
}

std::int32_t RecordLayout::identity(const std::uint8_t* record) const {
    return loadLeInt32(record + dataSize_);
}

void RecordLayout::setIdentity(std::uint8_t* record, std::int32_t identity) const {
    storeLeInt32(record + dataSize_, identity);
}

std::uint16_t RecordLayout::updateStatus(const std::uint8_t* record) const {
    return loadLe16(record + dataSize_ + 6);
}

void RecordLayout::setUpdateStatus(std::uint8_t* record, std::uint16_t status) const {
    storeLe16(record + dataSize_ + 6, status);
}

}  // namespace vk
