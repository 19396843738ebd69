#pragma once
// Little-endian loads and stores over raw bytes, independent of the host's
// byte order: stored formats fix the order, the host does not.
#include <cstdint>
#include <cstring>

namespace vk::le {

inline std::uint16_t load16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t load32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint64_t load64(const std::uint8_t* p) {
    return static_cast<std::uint64_t>(load32(p)) | (static_cast<std::uint64_t>(load32(p + 4)) << 32);
}
inline void store16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void store32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void store64(std::uint8_t* p, std::uint64_t v) {
    store32(p, static_cast<std::uint32_t>(v));
    store32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

inline std::int32_t loadInt32(const std::uint8_t* p) { return static_cast<std::int32_t>(load32(p)); }
inline void storeInt32(std::uint8_t* p, std::int32_t v) { store32(p, static_cast<std::uint32_t>(v)); }

inline double loadDouble(const std::uint8_t* p) {
    std::uint64_t bits = load64(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline void storeDouble(std::uint8_t* p, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    store64(p, bits);
}

}  // namespace vk::le
