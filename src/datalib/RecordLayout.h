#pragma once
// The layout of a static set's record buffer: one sector per stored field
// (the value's bytes, then a status byte), then a 12-byte trailer that never
// leaves memory. Streams carry the sectors only (dataSize bytes a record).
//
//   trailer: identity int32, tag uint16, update status uint16, 4 reserved bytes
#include <cstdint>
#include <string_view>
#include <vector>

#include "datalib/DataSet.h"

namespace vk {

// How a sector compares and converts in memory; never stored.
enum class SectorType : std::uint8_t { String = 0, Integer = 1, Float = 2, Boolean = 3 };

// Sector status byte bits.
constexpr std::uint8_t kSectorAssigned = 1;
constexpr std::uint8_t kSectorChanged = 2;

// Trailer update status values.
constexpr std::uint16_t kRecordUnchanged = 1;
constexpr std::uint16_t kRecordInserted = 2;
constexpr std::uint16_t kRecordModified = 4;
constexpr std::uint16_t kRecordDeleted = 8;

constexpr std::uint32_t kRecordTrailerSize = 12;

// What a static set creates for a boolean definition: the word-boolean field
// (16-bit, compares and converts as an integer, reports its type as SmallInt)
// or the framework's plain boolean field (16-bit WordBool, false before true).
enum class BooleanStyle { Word, Plain };

struct Sector {
    FieldDef def;           // as the set reports it (a word-boolean reads as SmallInt)
    bool wordBoolean = false;
    SectorType type = SectorType::String;
    std::uint32_t offset = 0;  // of the value bytes; the status byte follows them
    std::uint32_t size = 0;    // value bytes, without the status byte
};

class RecordLayout {
public:
    // Appends the sector of one field definition.
    void addField(FieldDef def, BooleanStyle style = BooleanStyle::Word);
    void clear();

    const std::vector<Sector>& sectors() const { return sectors_; }
    const Sector& sector(int index) const { return sectors_.at(static_cast<std::size_t>(index)); }
    int sectorCount() const { return static_cast<int>(sectors_.size()); }
    const std::vector<FieldDef>& fieldDefs() const { return defs_; }
    // Case-insensitive; -1 when no sector has that name.
    int indexOf(std::string_view name) const;

    std::uint32_t dataSize() const { return dataSize_; }
    std::uint32_t bufferSize() const { return dataSize_ + kRecordTrailerSize; }

    // --- sector state and raw value bytes of one record buffer
    std::uint8_t status(const std::uint8_t* record, int sector) const;
    bool isNull(const std::uint8_t* record, int sector) const {
        return (status(record, sector) & kSectorAssigned) == 0;
    }
    // Zero-fills the value and marks the sector changed and null.
    void setNull(std::uint8_t* record, int sector) const;
    // Marks the sector changed and assigned; the caller has written the value.
    void markAssigned(std::uint8_t* record, int sector) const;
    const std::uint8_t* value(const std::uint8_t* record, int sector) const {
        return record + sectors_[static_cast<std::size_t>(sector)].offset;
    }
    std::uint8_t* value(std::uint8_t* record, int sector) const {
        return record + sectors_[static_cast<std::size_t>(sector)].offset;
    }
    // A string sector's bytes up to the first zero (Windows-1251).
    std::string_view text(const std::uint8_t* record, int sector) const;

    // --- trailer
    std::int32_t identity(const std::uint8_t* record) const;
    void setIdentity(std::uint8_t* record, std::int32_t identity) const;
    std::uint16_t updateStatus(const std::uint8_t* record) const;
    void setUpdateStatus(std::uint8_t* record, std::uint16_t status) const;

private:
    std::vector<Sector> sectors_;
    std::vector<FieldDef> defs_;
    std::uint32_t dataSize_ = 0;
};

}  // namespace vk
