#pragma once
// Allocation chains of a compound file being read: the FAT over 512-byte
// sectors and the mini FAT over 64-byte mini sectors. Every unit a chain
// visits is claimed, so a chain that loops or runs into another one is
// reported instead of followed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/CfbFormat.h"

namespace vk::platform::cfb {

class AllocationTable {
public:
    // next[i] is the unit after unit i; only units below unitCount exist.
    AllocationTable(std::vector<std::uint32_t> next, std::uint32_t unitCount, std::string fileName,
                    std::string unitWord);

    // Claims unit as used by something outside any chain (a FAT sector).
    void claim(std::uint32_t unit, const std::string& what);
    // The units of the chain from start: exactly count of them when count is
    // given (the rest of the chain is not followed), else up to its end.
    std::vector<std::uint32_t> follow(std::uint32_t start, std::optional<std::size_t> count, const std::string& what);

    std::uint32_t unitCount() const { return unitCount_; }

private:
    std::vector<std::uint32_t> next_;
    std::uint32_t unitCount_;
    std::vector<bool> claimed_;
    std::string fileName_;
    std::string unitWord_;
};

// The sectors of an image, with the checks that keep every read inside it.
class SectorImage {
public:
    SectorImage(std::span<const std::uint8_t> bytes, std::string fileName);

    std::uint32_t sectorCount() const { return sectorCount_; }
    const std::string& fileName() const { return fileName_; }
    // count bytes from the start of sector; throws when they are past the end.
    const std::uint8_t* sector(std::uint32_t index, std::size_t count = kSectorSize) const;

    // Reads the FAT that the header's DIFAT names, claiming FAT and DIFAT sectors.
    AllocationTable loadFat(const Header& header) const;
    // The bytes of a chain of whole sectors, the last one possibly partly used.
    std::vector<std::uint8_t> read(AllocationTable& fat, std::uint32_t start, std::uint64_t size,
                                   const std::string& what) const;

private:
    std::span<const std::uint8_t> bytes_;
    std::string fileName_;
    std::uint32_t sectorCount_;
};

}  // namespace vk::platform::cfb
