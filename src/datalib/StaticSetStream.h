#pragma once
// The static set stream: one section of the set's own records, then, when
// its flags say so, a section of its blob manager's pages in the same format.
//
//   section: magic 25 7E 71 00 | header size 128 (uint32) | 128-byte header | records
//   header:  0 count | 4 record size | 8 RecordIdCounter | 12 KeyCounter
//            16 SectionFlags | 20 CurrentRecordId (-1: none) | 24..127 zero
//
// A record image is the record's sectors without the in-memory trailer. The
// format stores no schema: reader and writer declare the same leading fields.
// All integers are little-endian.
//
// Reading takes the bytes as untrusted: a count, record size or identity
// counter the stream cannot back stops the reading quietly after the last
// complete record; nothing is allocated for records whose bytes are absent.
#include <cstdint>
#include <optional>

#include "datalib/RecordList.h"
#include "platform/Stream.h"

namespace vk {

constexpr std::uint32_t kStaticSetMagic = 0x00717E25;
constexpr std::uint32_t kStaticSetHeaderSize = 128;
// SectionFlags bits.
constexpr std::uint32_t kSectionCachedChanges = 1;  // informational: no data follows for them
constexpr std::uint32_t kSectionBlobsFollow = 2;

// The part of the header the owning set fills and reads back.
struct SectionUserArea {
    std::int32_t keyCounter = 0;
    std::uint32_t flags = 0;
    std::int32_t currentRecordId = -1;
};

void writeSection(Stream& stream, const RecordList& records, std::uint32_t recordSize, const SectionUserArea& user);

// Whether a section can start here: fewer than 5 bytes left means there is
// none, and the reader leaves its records alone.
bool sectionMayFollow(Stream& stream);

// Empties the list (its identity counter back to 0), appends the section's
// records and restores the stored identity counter. Returns the user area, or
// nullopt when the stream holds no valid section (wrong magic or header size,
// or a truncated header).
std::optional<SectionUserArea> readSection(Stream& stream, RecordList& records, std::uint32_t recordSize);

}  // namespace vk
