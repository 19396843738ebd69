#include "platform/CfbAllocation.h"

#include <algorithm>
#include <cstring>

#include "platform/Error.h"
#include "platform/LittleEndian.h"

namespace vk::platform::cfb {

namespace {

std::string unitName(std::uint32_t unit) {
    switch (unit) {
        case kEndOfChain: return "the end-of-chain mark";
        case kFreeSector: return "a free-sector mark";
        case kFatSector: return "a FAT-sector mark";
        case kDifatSector: return "a DIFAT-sector mark";
        default: return std::to_string(unit);
    }
}

}  // namespace

AllocationTable::AllocationTable(std::vector<std::uint32_t> next, std::uint32_t unitCount, std::string fileName,
                                 std::string unitWord)
    : next_(std::move(next)),
      unitCount_(std::min<std::uint32_t>(unitCount, static_cast<std::uint32_t>(
                                                        std::min<std::size_t>(next_.size(), UINT32_MAX)))),
      claimed_(unitCount_, false),
      fileName_(std::move(fileName)),
      unitWord_(std::move(unitWord)) {}

void AllocationTable::claim(std::uint32_t unit, const std::string& what) {
    if (unit > kMaxRegularSector)
        throw Error(fileName_ + ": the chain of " + what + " is broken (it runs into " + unitName(unit) + ")");
    if (unit >= unitCount_)
        throw Error(fileName_ + ": " + what + " refers to " + unitWord_ + " " + std::to_string(unit) +
                    ", past the end of the file");
    if (claimed_[unit])
        throw Error(fileName_ + ": " + what + " uses " + unitWord_ + " " + std::to_string(unit) +
                    " that is already in use (a chain loops or crosses another)");
    claimed_[unit] = true;
}

std::vector<std::uint32_t> AllocationTable::follow(std::uint32_t start, std::optional<std::size_t> count,
                                                   const std::string& what) {
    if (count && *count > unitCount_)
        throw Error(fileName_ + ": the size of " + what + " does not fit in the file");
    std::vector<std::uint32_t> chain;
    std::uint32_t unit = start;
    while (count ? chain.size() < *count : unit != kEndOfChain) {
        if (count && unit == kEndOfChain)
            throw Error(fileName_ + ": the chain of " + what + " ends before its size is reached");
        claim(unit, what);
        chain.push_back(unit);
        unit = next_[unit];
    }
    return chain;
}

SectorImage::SectorImage(std::span<const std::uint8_t> bytes, std::string fileName)
    : bytes_(bytes), fileName_(std::move(fileName)) {
    if (bytes_.size() < kHeaderSize) throw Error(fileName_ + ": truncated compound file (no complete header)");
    std::uint64_t sectors = (bytes_.size() - kHeaderSize + kSectorSize - 1) / kSectorSize;
    sectorCount_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(sectors, kMaxRegularSector));
}

const std::uint8_t* SectorImage::sector(std::uint32_t index, std::size_t count) const {
    std::uint64_t offset = kHeaderSize + static_cast<std::uint64_t>(index) * kSectorSize;
    if (index >= sectorCount_ || offset + count > bytes_.size())
        throw Error(fileName_ + ": truncated compound file (sector " + std::to_string(index) + " is missing)");
    return bytes_.data() + offset;
}

AllocationTable SectorImage::loadFat(const Header& header) const {
    if (header.fatSectorCount == 0 || header.fatSectorCount > sectorCount_)
        throw Error(fileName_ + ": compound file with a FAT of " + std::to_string(header.fatSectorCount) +
                    " sectors in " + std::to_string(sectorCount_) + " sectors");
    const std::size_t fatCount = header.fatSectorCount;
    std::vector<std::uint32_t> fatSectors(header.difat.begin(),
                                          header.difat.begin() + std::min(fatCount, kHeaderDifatSlots));
    std::vector<std::uint32_t> difatSectors;
    std::uint32_t difat = header.difatStart;
    while (fatSectors.size() < fatCount) {
        if (difat >= sectorCount_ || difatSectors.size() >= sectorCount_)
            throw Error(fileName_ + ": the DIFAT ends before it lists all FAT sectors");
        difatSectors.push_back(difat);
        const std::uint8_t* ids = sector(difat);
        for (std::size_t i = 0; i + 1 < kIdsPerSector && fatSectors.size() < fatCount; ++i)
            fatSectors.push_back(loadLe32(ids + 4 * i));
        difat = loadLe32(ids + kSectorSize - 4);
    }

    std::vector<std::uint32_t> next;
    next.reserve(fatCount * kIdsPerSector);
    for (std::uint32_t id : fatSectors) {
        if (id > kMaxRegularSector)
            throw Error(fileName_ + ": the DIFAT lists " + unitName(id) + " as a FAT sector");
        if (id >= sectorCount_)
            throw Error(fileName_ + ": the DIFAT refers to FAT sector " + std::to_string(id) + ", past the end of the file");
        const std::uint8_t* ids = sector(id);
        for (std::size_t i = 0; i < kIdsPerSector; ++i) next.push_back(loadLe32(ids + 4 * i));
    }
    AllocationTable fat(std::move(next), sectorCount_, fileName_, "sector");
    for (std::uint32_t id : fatSectors) fat.claim(id, "the FAT");
    for (std::uint32_t id : difatSectors) fat.claim(id, "the DIFAT");
    return fat;
}

std::vector<std::uint8_t> SectorImage::read(AllocationTable& fat, std::uint32_t start, std::uint64_t size,
                                            const std::string& what) const {
    std::uint64_t needed = (size + kSectorSize - 1) / kSectorSize;
    if (needed > sectorCount_) throw Error(fileName_ + ": the size of " + what + " does not fit in the file");
    std::vector<std::uint32_t> chain = fat.follow(start, static_cast<std::size_t>(needed), what);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < chain.size(); ++i) {
        std::size_t offset = i * kSectorSize;
        std::size_t count = std::min<std::size_t>(kSectorSize, data.size() - offset);
        std::memcpy(data.data() + offset, sector(chain[i], count), count);
    }
    return data;
}

}  // namespace vk::platform::cfb
