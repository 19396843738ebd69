#pragma once
// The fixed structures of a compound file (version 3, 512-byte sectors): the
// header, the 128-byte directory entry, the special sector numbers and the
// name order that the directory's red-black trees are sorted by.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vk::platform::cfb {

constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kDirEntrySize = 128;
constexpr std::size_t kEntriesPerSector = kSectorSize / kDirEntrySize;
constexpr std::size_t kIdsPerSector = kSectorSize / 4;     // FAT, mini FAT and DIFAT entries
constexpr std::size_t kHeaderDifatSlots = 109;
constexpr std::size_t kMaxNameChars = 31;                  // plus the terminating zero

constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

enum class EntryType : std::uint8_t { Unallocated = 0, Storage = 1, Stream = 2, Root = 5 };
enum class Color : std::uint8_t { Red = 0, Black = 1 };

using Clsid = std::array<std::uint8_t, 16>;

struct Header {
    std::uint32_t fatSectorCount = 0;
    std::uint32_t directoryStart = kEndOfChain;
    std::uint32_t miniFatStart = kEndOfChain;
    std::uint32_t miniFatSectorCount = 0;
    std::uint32_t difatStart = kEndOfChain;
    std::uint32_t difatSectorCount = 0;
    std::array<std::uint32_t, kHeaderDifatSlots> difat{};
};

struct DirEntry {
    std::u16string name;
    EntryType type = EntryType::Unallocated;
    Color color = Color::Black;
    std::uint32_t left = kNoStream;
    std::uint32_t right = kNoStream;
    std::uint32_t child = kNoStream;
    Clsid clsid{};
    std::uint32_t stateBits = 0;
    std::uint64_t created = 0;
    std::uint64_t modified = 0;
    std::uint32_t start = kEndOfChain;
    std::uint64_t size = 0;
};

// Throws Error naming fileName when the header is not that of a version 3
// compound file with the standard sector sizes.
Header decodeHeader(const std::uint8_t* bytes, const std::string& fileName);
void encodeHeader(const Header& header, std::uint8_t* bytes);

// Decodes entry index of the directory; an unallocated slot decodes as such.
// Throws Error for a name that is not zero-terminated within its length.
DirEntry decodeDirEntry(const std::uint8_t* bytes, std::uint32_t index, const std::string& fileName);
void encodeDirEntry(const DirEntry& entry, std::uint8_t* bytes);

// The directory's order: the shorter name first, names of equal length by
// their upper-case UTF-16 code units. <0, 0, >0.
int compareNames(std::u16string_view a, std::u16string_view b);

}  // namespace vk::platform::cfb
