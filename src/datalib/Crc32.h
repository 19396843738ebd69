#pragma once
// CRC-32 as zip, PNG and Ethernet compute it (reflected polynomial
// 0xEDB88320, initial value and final XOR 0xFFFFFFFF): the checksum an
// installer carries of its payload.
#include <cstddef>
#include <cstdint>

#include "platform/Stream.h"

namespace vk {

class Crc32 {
public:
    void update(const void* data, std::size_t size);
    std::uint32_t value() const { return ~state_; }

private:
    std::uint32_t state_ = 0xFFFFFFFF;
};

// The CRC-32 of in's bytes from its position to its end, read in chunks.
std::uint32_t crc32Of(Stream& in);

}  // namespace vk
