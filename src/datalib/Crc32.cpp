#include "datalib/Crc32.h"

#include <array>
#include <vector>

namespace vk {

namespace {

// Eight tables, so that eight bytes are folded in per step: a payload of tens
// of megabytes is checked before the installation starts, while the user waits.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

Tables makeTables() {
    Tables t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        t[0][i] = c;
    }
    for (std::size_t k = 1; k < 8; ++k)
        for (std::size_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    return t;
}

const Tables& tables() {
    static const Tables instance = makeTables();
    return instance;
}

}  // namespace

void Crc32::update(const void* data, std::size_t size) {
    const Tables& t = tables();
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::uint32_t c = state_;
    for (; size >= 8; size -= 8, p += 8) {
        const std::uint32_t low = c ^ (p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24);
        c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
            t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; size > 0; --size, ++p) c = (c >> 8) ^ t[0][(c ^ *p) & 0xFF];
    state_ = c;
}

std::uint32_t crc32Of(Stream& in) {
    Crc32 crc;
    std::vector<std::uint8_t> chunk(256 * 1024);
    while (const std::size_t got = in.read(chunk.data(), chunk.size())) crc.update(chunk.data(), got);
    return crc.value();
}

}  // namespace vk
