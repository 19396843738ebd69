#include "datalib/FieldValues.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/LittleEndian.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr std::chrono::sys_days kDayOne{std::chrono::year{1} / 1 / 1};

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

[[noreturn]] void notValid(std::string_view text, const char* what) {
    throw Error(quoted(text) + " is not a valid " + what + " value");
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool parseInteger(std::string_view text, std::int64_t& value) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

double parseFloat(std::string_view text) {
    std::string copy(trimmed(text));
    for (char& c : copy)
        if (c == ',') c = '.';
    double value = 0;
    auto [end, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (error != std::errc() || end != copy.data() + copy.size() || copy.empty()) notValid(text, "floating point");
    return value;
}

// The framework accepts any leading part of "True" or "False".
bool parseBoolean(std::string_view text, bool& value) {
    text = trimmed(text);
    if (text.empty()) return false;
    if (text.size() <= 4 && sameText(text, std::string_view("True").substr(0, text.size()))) return value = true, true;
    if (text.size() <= 5 && sameText(text, std::string_view("False").substr(0, text.size()))) return !(value = false);
    return false;
}

std::string formatFloat(double value) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, result.ptr);
}

constexpr std::int64_t kLastDay = 3'652'059;  // 9999-12-31

// A day number outside the calendar (only stored garbage has one) shows as the number.
std::string formatDate(std::int64_t dayNumber) {
    if (dayNumber < 1 || dayNumber > kLastDay) return std::to_string(dayNumber);
    std::chrono::year_month_day date{kDayOne + std::chrono::days{dayNumber - 1}};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string formatTime(std::int64_t ms) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(ms / 3'600'000),
                  static_cast<int>(ms / 60'000 % 60), static_cast<int>(ms / 1000 % 60));
    return text;
}

std::int64_t parseDate(std::string_view text) {
    int y = 0;
    unsigned m = 0, d = 0;
    std::string copy(text.substr(0, 10));
    if (text.size() < 10 || std::sscanf(copy.c_str(), "%4d-%2u-%2u", &y, &m, &d) != 3) notValid(text, "date");
    std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
    if (!date.ok() || y < 1) notValid(text, "date");
    return (std::chrono::sys_days{date} - kDayOne).count() + 1;
}

std::int64_t parseTime(std::string_view text) {
    unsigned h = 0, m = 0, s = 0;
    std::string copy(text);
    if (std::sscanf(copy.c_str(), "%2u:%2u:%2u", &h, &m, &s) != 3 || h > 23 || m > 59 || s > 59)
        notValid(text, "time");
    return ((h * 60 + m) * 60 + s) * 1000LL;
}

std::int64_t checkedRange(const Sector& sector, std::int64_t value, std::int64_t low, std::int64_t high) {
    if (value < low || value > high)
        throw Error(std::to_string(value) + " is not a valid value for field '" + sector.def.name +
                    "'. The allowed range is " + std::to_string(low) + " to " + std::to_string(high));
    return value;
}

const Sector& sectorOf(const RecordLayout& layout, int index) { return layout.sector(index); }

}  // namespace

std::string sectorAsString(const RecordLayout& layout, const std::uint8_t* record, int index) {
    if (layout.isNull(record, index)) return {};
    const Sector& sector = sectorOf(layout, index);
    const std::uint8_t* value = layout.value(record, index);
    switch (sector.def.type) {
    case FieldType::String:
        return fromCp1251(layout.text(record, index));
    case FieldType::Boolean:
        return sectorAsBoolean(layout, record, index) ? "True" : "False";
    case FieldType::SmallInt:
        if (sector.wordBoolean) return sectorAsBoolean(layout, record, index) ? "True" : "False";
        return std::to_string(sectorAsInteger(layout, record, index));
    case FieldType::Float:
    case FieldType::Currency:
        return formatFloat(loadLeDouble(value));
    case FieldType::Date:
        return formatDate(loadLeInt32(value));
    case FieldType::Time:
        return formatTime(loadLeInt32(value));
    case FieldType::DateTime: {
        double stored = loadLeDouble(value);
        if (!(stored >= 0 && stored < static_cast<double>((kLastDay + 1) * kMsPerDay))) return formatFloat(stored);
        auto ms = static_cast<std::int64_t>(stored);
        return formatDate(ms / kMsPerDay) + " " + formatTime(ms % kMsPerDay);
    }
    default:
        if (sector.type == SectorType::Integer) return std::to_string(sectorAsInteger(layout, record, index));
        return std::string(reinterpret_cast<const char*>(value), sector.size);
    }
}

std::int64_t sectorAsInteger(const RecordLayout& layout, const std::uint8_t* record, int index) {
    if (layout.isNull(record, index)) return 0;
    const Sector& sector = sectorOf(layout, index);
    const std::uint8_t* value = layout.value(record, index);
    switch (sector.def.type) {
    case FieldType::SmallInt:
        return static_cast<std::int16_t>(loadLe16(value));
    case FieldType::Word:
        return loadLe16(value);
    case FieldType::Boolean:
        return sectorAsBoolean(layout, record, index) ? 1 : 0;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::DateTime:
        return std::llround(loadLeDouble(value));
    case FieldType::String: {
        std::int64_t number = 0;
        std::string text = fromCp1251(layout.text(record, index));
        if (!parseInteger(text, number)) notValid(text, "integer");
        return number;
    }
    default:
        if (sector.size == 4) return loadLeInt32(value);
        throw Error("Field '" + sector.def.name + "' cannot be read as an integer");
    }
}

double sectorAsFloat(const RecordLayout& layout, const std::uint8_t* record, int index) {
    if (layout.isNull(record, index)) return 0;
    const Sector& sector = sectorOf(layout, index);
    if (sector.type == SectorType::Float) return loadLeDouble(layout.value(record, index));
    if (sector.def.type == FieldType::String) return parseFloat(fromCp1251(layout.text(record, index)));
    return static_cast<double>(sectorAsInteger(layout, record, index));
}

bool sectorAsBoolean(const RecordLayout& layout, const std::uint8_t* record, int index) {
    if (layout.isNull(record, index)) return false;
    const Sector& sector = sectorOf(layout, index);
    if (sector.def.type == FieldType::Boolean || sector.wordBoolean) return loadLe16(layout.value(record, index)) != 0;
    if (sector.def.type == FieldType::String) {
        bool value = false;
        std::string text = fromCp1251(layout.text(record, index));
        if (!parseBoolean(text, value)) notValid(text, "boolean");
        return value;
    }
    return sectorAsInteger(layout, record, index) != 0;
}

void assignString(const RecordLayout& layout, std::uint8_t* record, int index, std::string_view utf8) {
    const Sector& sector = sectorOf(layout, index);
    std::uint8_t* value = layout.value(record, index);
    if (sector.def.type == FieldType::String) {
        std::string bytes = toCp1251(truncateChars(utf8, sector.def.size));
        std::memset(value, 0, sector.size);
        std::memcpy(value, bytes.data(), bytes.size());
        layout.markAssigned(record, index);
        return;
    }
    if (trimmed(utf8).empty()) {
        layout.setNull(record, index);
        return;
    }
    std::int64_t number = 0;
    bool flag = false;
    switch (sector.def.type) {
    case FieldType::Boolean:
        if (!parseBoolean(utf8, flag)) notValid(utf8, "boolean");
        return assignBoolean(layout, record, index, flag);
    case FieldType::Float:
    case FieldType::Currency:
        return assignFloat(layout, record, index, parseFloat(utf8));
    case FieldType::Date:
        return assignInteger(layout, record, index, parseDate(utf8));
    case FieldType::Time:
        return assignInteger(layout, record, index, parseTime(utf8));
    case FieldType::DateTime: {
        std::int64_t ms = parseDate(utf8) * kMsPerDay;
        if (utf8.size() > 10) ms += parseTime(trimmed(utf8.substr(10)));
        return assignFloat(layout, record, index, static_cast<double>(ms));
    }
    default:
        // A word-boolean takes a number as that number, else True/False.
        if (parseInteger(utf8, number)) return assignInteger(layout, record, index, number);
        if (sector.wordBoolean && parseBoolean(utf8, flag)) return assignBoolean(layout, record, index, flag);
        notValid(utf8, "integer");
    }
}

void assignInteger(const RecordLayout& layout, std::uint8_t* record, int index, std::int64_t number) {
    const Sector& sector = sectorOf(layout, index);
    std::uint8_t* value = layout.value(record, index);
    switch (sector.def.type) {
    case FieldType::String:
        return assignString(layout, record, index, std::to_string(number));
    case FieldType::Boolean:
        return assignBoolean(layout, record, index, number != 0);
    case FieldType::SmallInt:
        storeLe16(value, static_cast<std::uint16_t>(checkedRange(sector, number, -32768, 32767)));
        break;
    case FieldType::Word:
        storeLe16(value, static_cast<std::uint16_t>(checkedRange(sector, number, 0, 65535)));
        break;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::DateTime:
        return assignFloat(layout, record, index, static_cast<double>(number));
    default:
        if (sector.size != 4) throw Error("Field '" + sector.def.name + "' cannot be assigned an integer");
        storeLeInt32(value, static_cast<std::int32_t>(checkedRange(sector, number, std::numeric_limits<std::int32_t>::min(),
                                                                     std::numeric_limits<std::int32_t>::max())));
    }
    layout.markAssigned(record, index);
}

void assignFloat(const RecordLayout& layout, std::uint8_t* record, int index, double number) {
    const Sector& sector = sectorOf(layout, index);
    if (sector.type != SectorType::Float) {
        if (sector.def.type == FieldType::String) return assignString(layout, record, index, formatFloat(number));
        return assignInteger(layout, record, index, std::llround(number));
    }
    storeLeDouble(layout.value(record, index), number);
    layout.markAssigned(record, index);
}

void assignBoolean(const RecordLayout& layout, std::uint8_t* record, int index, bool flag) {
    const Sector& sector = sectorOf(layout, index);
    if (sector.def.type == FieldType::Boolean || sector.wordBoolean) {
        storeLe16(layout.value(record, index), flag ? 0xFFFF : 0);
        layout.markAssigned(record, index);
        return;
    }
    if (sector.def.type == FieldType::String) return assignString(layout, record, index, flag ? "True" : "False");
    assignInteger(layout, record, index, flag ? 1 : 0);
}

}  // namespace vk
