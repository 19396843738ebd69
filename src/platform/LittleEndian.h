#pragma once
// Little-endian integers and doubles in stored bytes, as every Windows file
// format keeps them, independent of the host's byte order. Callers check
// bounds; these only assemble and split the bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vk {

// The first width bytes (at most 8) as an unsigned number.
inline std::uint64_t loadLe(const std::uint8_t* p, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return value;
}

// The low width bytes (at most 8) of value.
inline void storeLe(std::uint8_t* p, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint16_t loadLe16(const std::uint8_t* p) { return static_cast<std::uint16_t>(loadLe(p, 2)); }
inline std::uint32_t loadLe32(const std::uint8_t* p) { return static_cast<std::uint32_t>(loadLe(p, 4)); }
inline std::uint64_t loadLe64(const std::uint8_t* p) { return loadLe(p, 8); }
inline std::int32_t loadLeInt32(const std::uint8_t* p) { return static_cast<std::int32_t>(loadLe32(p)); }

inline void storeLe16(std::uint8_t* p, std::uint16_t value) { storeLe(p, value, 2); }
inline void storeLe32(std::uint8_t* p, std::uint32_t value) { storeLe(p, value, 4); }
inline void storeLe64(std::uint8_t* p, std::uint64_t value) { storeLe(p, value, 8); }
inline void storeLeInt32(std::uint8_t* p, std::int32_t value) { storeLe32(p, static_cast<std::uint32_t>(value)); }

// An IEEE double stored as its 64 bits.
inline double loadLeDouble(const std::uint8_t* p) {
    const std::uint64_t bits = loadLe64(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline void storeLeDouble(std::uint8_t* p, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    storeLe64(p, bits);
}

inline void appendLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    appendLe16(out, static_cast<std::uint16_t>(value));
    appendLe16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace vk
