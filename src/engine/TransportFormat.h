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

}  // namespace vk::transport
