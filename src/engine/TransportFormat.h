#pragma once
// The fixed figures of the transport stream layout, shared by its reader and
// writer (the layout itself is described in IMDTools.h).
#include <cstdint>

#include "datalib/DataSet.h"

namespace vk::transport {

constexpr std::int64_t kHeaderSize = 20;
constexpr std::int64_t kDescriptorSize = 36;
constexpr std::size_t kMaxNameBytes = 32;
// Offsets inside a descriptor.
constexpr std::size_t kTypeOffset = 33;
constexpr std::size_t kSizeOffset = 34;

constexpr std::int64_t bitmapBytes(std::int64_t fieldCount) { return (fieldCount + 7) / 8; }

// Strings and blob kinds store an int32 length before their bytes; every
// other type stores exactly its descriptor's size.
inline bool hasLengthPrefix(FieldType type) { return type == FieldType::String || isBlobType(type); }

inline void putInt32(std::uint8_t* at, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::int32_t getInt32(const std::uint8_t* at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return static_cast<std::int32_t>(v);
}

}  // namespace vk::transport
