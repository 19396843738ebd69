#include "platform/Text.h"

#include <array>
#include <cstdint>

#include "platform/Error.h"

namespace vk {

namespace {

// Windows-1251 bytes 0x80..0xFF as Unicode code points.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// -1 when the code point has no Windows-1251 byte.
int cp1251Byte(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<int>(c - 0x0410 + 0xC0);
    for (std::size_t i = 0; i < 64; ++i)
        if (kHighHalf[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one code point at text[pos], advancing pos; throws on malformed UTF-8.
char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    std::uint8_t lead = byte(pos);
    int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || pos + static_cast<std::size_t>(extra) >= text.size()) throw Error("malformed UTF-8 text");
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        std::uint8_t next = byte(pos + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80) throw Error("malformed UTF-8 text");
        c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) throw Error("malformed UTF-8 text");
    pos += static_cast<std::size_t>(extra) + 1;
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string hexCodePoint(char32_t c) {
    std::string bytes;
    for (int shift = c > 0xFFFF ? 16 : 8; shift >= 0; shift -= 8) bytes += static_cast<char>(c >> shift);
    return "U+" + toHex(bytes);
}

char32_t upperCodePoint(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0x0430 && c <= 0x044F) return c - 0x20;
    if (c >= 0x0450 && c <= 0x045F) return c - 0x50;
    if (c == 0x0491) return 0x0490;
    return c;
}

char32_t lowerCodePoint(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
    if (c == 0x0490) return 0x0491;
    return c;
}

template <typename Map>
std::string mapCodePoints(std::string_view utf8, Map map) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) appendUtf8(out, map(decodeUtf8(utf8, pos)));
    return out;
}

// Collation weight of an upper-cased code point: code point order, except that
// Ё sorts right after Е as the Russian collation has it.
std::uint64_t collationWeight(char32_t c) {
    if (c == 0x0401) return (std::uint64_t{0x0415} << 1) | 1;
    return std::uint64_t{c} << 1;
}

}  // namespace

std::string toCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = decodeUtf8(utf8, pos);
        int b = cp1251Byte(c);
        if (b < 0) throw Error("the character " + hexCodePoint(c) + " cannot be stored in Windows-1251 text");
        out += static_cast<char>(b);
    }
    return out;
}

std::string toCp1251Lossy(std::string_view utf8) {
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        int b = cp1251Byte(decodeUtf8(utf8, pos));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string fromCp1251(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char ch : cp1251) {
        auto b = static_cast<std::uint8_t>(ch);
        appendUtf8(out, b < 0x80 ? char32_t{b} : kHighHalf[b - 0x80]);
    }
    return out;
}

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = decodeUtf8(utf8, pos);
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 | (c >> 10));
            out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
        }
    }
    return out;
}

std::string fromUtf16(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            throw Error("malformed UTF-16 text");
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string ansiUpper(std::string_view utf8) { return mapCodePoints(utf8, upperCodePoint); }
std::string ansiLower(std::string_view utf8) { return mapCodePoints(utf8, lowerCodePoint); }

int compareText(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        auto wa = collationWeight(upperCodePoint(decodeUtf8(a, i)));
        auto wb = collationWeight(upperCodePoint(decodeUtf8(b, j)));
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool sameText(std::string_view a, std::string_view b) { return compareText(a, b) == 0; }

std::string truncateChars(std::string_view utf8, std::size_t maxChars) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < maxChars && pos < utf8.size(); ++n) decodeUtf8(utf8, pos);
    return std::string(utf8.substr(0, pos));
}

std::size_t utf8CharLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::size_t utf8CharCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size(); at += utf8CharLength(static_cast<unsigned char>(utf8[at]))) ++count;
    return count;
}

std::string toHex(std::string_view bytes, HexCase letters, std::string_view separator) {
    const char* digits = letters == HexCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) out += separator;
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace vk
