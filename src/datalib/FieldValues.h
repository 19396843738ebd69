#pragma once
// Conversions between a sector's native bytes and the values the field
// accessors read and write (text, integer, float, boolean), for every
// fixed-size and string field kind. Blob sectors are the set's business.
//
// Text in memory is UTF-8; string sectors hold Windows-1251, cut to the
// field's size in characters. Dates and times keep the framework's native
// form (day number with 0001-01-01 = 1; milliseconds since midnight; a
// date-time as the double day number * 86400000 + milliseconds) and read and
// write as text in the forms "YYYY-MM-DD", "HH:MM:SS" and "YYYY-MM-DD HH:MM:SS".
#include <cstdint>
#include <string>
#include <string_view>

#include "datalib/RecordLayout.h"

namespace vk {

std::string sectorAsString(const RecordLayout& layout, const std::uint8_t* record, int sector);
std::int64_t sectorAsInteger(const RecordLayout& layout, const std::uint8_t* record, int sector);
double sectorAsFloat(const RecordLayout& layout, const std::uint8_t* record, int sector);
bool sectorAsBoolean(const RecordLayout& layout, const std::uint8_t* record, int sector);

// An empty text clears a non-string field, as the framework's fields do.
void assignString(const RecordLayout& layout, std::uint8_t* record, int sector, std::string_view utf8);
void assignInteger(const RecordLayout& layout, std::uint8_t* record, int sector, std::int64_t value);
void assignFloat(const RecordLayout& layout, std::uint8_t* record, int sector, double value);
void assignBoolean(const RecordLayout& layout, std::uint8_t* record, int sector, bool value);

}  // namespace vk
