#pragma once
// Builds little-endian byte images by hand for stream tests.
#include <cstdint>
#include <string>
#include <vector>

namespace vk::test {

class ByteImage {
public:
    ByteImage& u8(std::uint8_t v) { return bytes_.push_back(v), *this; }
    ByteImage& u16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8)); }
    ByteImage& u32(std::uint32_t v) { return u16(static_cast<std::uint16_t>(v)).u16(static_cast<std::uint16_t>(v >> 16)); }
    ByteImage& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    ByteImage& zeros(std::size_t n) { return bytes_.insert(bytes_.end(), n, 0), *this; }
    // A text in a sector of size n + 1, zero-padded.
    ByteImage& text(const std::string& cp1251, std::size_t fieldSize) {
        bytes_.insert(bytes_.end(), cp1251.begin(), cp1251.end());
        return zeros(fieldSize + 1 - cp1251.size());
    }
    ByteImage& raw(const std::string& bytes) { return bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()), *this; }
    // An integer sector: the value and its status byte.
    ByteImage& intSector(std::int32_t v, std::uint8_t status = 3) { return i32(v).u8(status); }
    ByteImage& nullIntSector(std::uint8_t status = 0) { return i32(0).u8(status); }
    // A section preamble: magic, header size and the 128-byte header.
    ByteImage& section(std::int32_t count, std::int32_t recordSize, std::int32_t idCounter, std::int32_t keyCounter,
                       std::uint32_t flags, std::int32_t currentRecordId) {
        u32(0x00717E25).u32(128);
        i32(count).i32(recordSize).i32(idCounter).i32(keyCounter).u32(flags).i32(currentRecordId);
        return zeros(104);
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace vk::test
