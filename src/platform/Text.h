#pragma once
// Text encodings. Strings in memory are UTF-8. Windows-1251 exists only at the
// boundary where the system stores text (transport streams, static-set
// streams, names inside files); UTF-16 only at Windows calls.
//
// A character that Windows-1251 cannot hold is never dropped where text is
// stored: toCp1251 throws an Error naming the character, so the write fails
// loudly instead of storing a different text. toCp1251Lossy ('?' for such a
// character) exists for display only.
#include <string>
#include <string_view>

namespace vk {

// UTF-8 -> Windows-1251 bytes; throws Error for an unrepresentable character
// or malformed UTF-8.
std::string toCp1251(std::string_view utf8);
std::string toCp1251Lossy(std::string_view utf8);
// Windows-1251 bytes -> UTF-8. Every byte maps, so the round trip is exact;
// 0x98, which has no character, maps to U+0098 as Windows maps it.
std::string fromCp1251(std::string_view cp1251);

// UTF-8 <-> UTF-16 for Windows calls; malformed input throws Error.
std::u16string toUtf16(std::string_view utf8);
std::string fromUtf16(std::u16string_view utf16);

// The system's ANSI case mapping over Windows-1251 (Latin and Cyrillic).
// Characters outside Windows-1251 are left unchanged.
std::string ansiUpper(std::string_view utf8);
std::string ansiLower(std::string_view utf8);
// Case-insensitive equality and ordering in the ANSI collation (<0, 0, >0).
bool sameText(std::string_view a, std::string_view b);
int compareText(std::string_view a, std::string_view b);

// Cuts utf8 to at most maxChars Windows-1251 characters (one per code point),
// never inside a UTF-8 sequence.
std::string truncateChars(std::string_view utf8, std::size_t maxChars);

// The byte length of the UTF-8 character that starts with lead, and the
// characters of a text, for text already known to be well formed.
std::size_t utf8CharLength(unsigned char lead);
std::size_t utf8CharCount(std::string_view utf8);

// Hexadecimal: each byte as two digits, pairs apart by separator; and the
// value of one digit (-1 for a character that is none).
enum class HexCase { Upper, Lower };
std::string toHex(std::string_view bytes, HexCase letters = HexCase::Upper, std::string_view separator = {});
int hexDigitValue(char c);

}  // namespace vk
