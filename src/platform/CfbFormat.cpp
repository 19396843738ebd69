#include "platform/CfbFormat.h"

#include <cstring>

#include "platform/Error.h"

namespace vk::platform::cfb {

namespace {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint16_t kMinorVersion = 0x003E;
constexpr std::uint16_t kMajorVersion = 3;
constexpr std::uint16_t kByteOrderMark = 0xFFFE;
constexpr std::uint16_t kSectorShift = 9;
constexpr std::uint16_t kMiniSectorShift = 6;

std::uint16_t readU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

void writeU16(std::uint8_t* p, std::uint16_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint64_t readU64(const std::uint8_t* p) {
    return readU32(p) | static_cast<std::uint64_t>(readU32(p + 4)) << 32;
}

void writeU64(std::uint8_t* p, std::uint64_t value) {
    writeU32(p, static_cast<std::uint32_t>(value));
    writeU32(p + 4, static_cast<std::uint32_t>(value >> 32));
}

// Simple upper-case mapping of the letters that names of this system can hold
// (Latin, Latin-1 and Cyrillic); other code units compare as they are.
char16_t upperUnit(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

}  // namespace

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void writeU32(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

Header decodeHeader(const std::uint8_t* bytes, const std::string& fileName) {
    auto fail = [&](const std::string& what) { return Error(fileName + ": " + what); };
    if (std::memcmp(bytes, kSignature, sizeof kSignature) != 0) throw fail("not a compound file (no signature)");
    if (readU16(bytes + 28) != kByteOrderMark) throw fail("compound file with an unknown byte order");
    std::uint16_t major = readU16(bytes + 26);
    if (major != kMajorVersion)
        throw fail("compound file of version " + std::to_string(major) + ", only version 3 is supported");
    if (readU16(bytes + 30) != kSectorShift || readU16(bytes + 32) != kMiniSectorShift)
        throw fail("compound file with non-standard sector sizes");
    if (readU32(bytes + 56) != kMiniStreamCutoff) throw fail("compound file with a non-standard mini stream cutoff");

    Header header;
    header.fatSectorCount = readU32(bytes + 44);
    header.directoryStart = readU32(bytes + 48);
    header.miniFatStart = readU32(bytes + 60);
    header.miniFatSectorCount = readU32(bytes + 64);
    header.difatStart = readU32(bytes + 68);
    header.difatSectorCount = readU32(bytes + 72);
    for (std::size_t i = 0; i < kHeaderDifatSlots; ++i) header.difat[i] = readU32(bytes + 76 + 4 * i);
    return header;
}

void encodeHeader(const Header& header, std::uint8_t* bytes) {
    std::memset(bytes, 0, kHeaderSize);
    std::memcpy(bytes, kSignature, sizeof kSignature);
    writeU16(bytes + 24, kMinorVersion);
    writeU16(bytes + 26, kMajorVersion);
    writeU16(bytes + 28, kByteOrderMark);
    writeU16(bytes + 30, kSectorShift);
    writeU16(bytes + 32, kMiniSectorShift);
    writeU32(bytes + 44, header.fatSectorCount);
    writeU32(bytes + 48, header.directoryStart);
    writeU32(bytes + 56, kMiniStreamCutoff);
    writeU32(bytes + 60, header.miniFatStart);
    writeU32(bytes + 64, header.miniFatSectorCount);
    writeU32(bytes + 68, header.difatStart);
    writeU32(bytes + 72, header.difatSectorCount);
    for (std::size_t i = 0; i < kHeaderDifatSlots; ++i) writeU32(bytes + 76 + 4 * i, header.difat[i]);
}

DirEntry decodeDirEntry(const std::uint8_t* bytes, std::uint32_t index, const std::string& fileName) {
    DirEntry entry;
    entry.type = static_cast<EntryType>(bytes[66]);
    if (entry.type != EntryType::Storage && entry.type != EntryType::Stream && entry.type != EntryType::Root) {
        entry.type = EntryType::Unallocated;
        return entry;
    }
    std::uint16_t nameBytes = readU16(bytes + 64);
    if (nameBytes < 2 || nameBytes > 64 || nameBytes % 2 != 0 || readU16(bytes + nameBytes - 2) != 0)
        throw Error(fileName + ": directory entry " + std::to_string(index) + " has a malformed name");
    for (std::size_t i = 0; i + 2 < nameBytes; i += 2) entry.name += static_cast<char16_t>(readU16(bytes + i));
    entry.color = bytes[67] == 0 ? Color::Red : Color::Black;
    entry.left = readU32(bytes + 68);
    entry.right = readU32(bytes + 72);
    entry.child = readU32(bytes + 76);
    std::memcpy(entry.clsid.data(), bytes + 80, entry.clsid.size());
    entry.stateBits = readU32(bytes + 96);
    entry.created = readU64(bytes + 100);
    entry.modified = readU64(bytes + 108);
    entry.start = readU32(bytes + 116);
    // Version 3 sizes are below 2 GB; older writers left garbage in the high half.
    entry.size = readU32(bytes + 120);
    return entry;
}

void encodeDirEntry(const DirEntry& entry, std::uint8_t* bytes) {
    std::memset(bytes, 0, kDirEntrySize);
    writeU32(bytes + 68, kNoStream);
    writeU32(bytes + 72, kNoStream);
    writeU32(bytes + 76, kNoStream);
    if (entry.type == EntryType::Unallocated) return;
    for (std::size_t i = 0; i < entry.name.size(); ++i) writeU16(bytes + 2 * i, entry.name[i]);
    writeU16(bytes + 64, static_cast<std::uint16_t>(2 * (entry.name.size() + 1)));
    bytes[66] = static_cast<std::uint8_t>(entry.type);
    bytes[67] = static_cast<std::uint8_t>(entry.color);
    writeU32(bytes + 68, entry.left);
    writeU32(bytes + 72, entry.right);
    writeU32(bytes + 76, entry.child);
    std::memcpy(bytes + 80, entry.clsid.data(), entry.clsid.size());
    writeU32(bytes + 96, entry.stateBits);
    writeU64(bytes + 100, entry.created);
    writeU64(bytes + 108, entry.modified);
    writeU32(bytes + 116, entry.start);
    writeU64(bytes + 120, entry.size);
}

int compareNames(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = upperUnit(a[i]), y = upperUnit(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

}  // namespace vk::platform::cfb
