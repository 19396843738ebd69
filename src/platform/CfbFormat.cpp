#include "platform/CfbFormat.h"

#include <cstring>

#include "platform/Error.h"
#include "platform/LittleEndian.h"

namespace vk::platform::cfb {

namespace {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint16_t kMinorVersion = 0x003E;
constexpr std::uint16_t kMajorVersion = 3;
constexpr std::uint16_t kByteOrderMark = 0xFFFE;
constexpr std::uint16_t kSectorShift = 9;
constexpr std::uint16_t kMiniSectorShift = 6;

std::uint64_t readU64(const std::uint8_t* p) {
    return loadLe32(p) | static_cast<std::uint64_t>(loadLe32(p + 4)) << 32;
}

void writeU64(std::uint8_t* p, std::uint64_t value) {
    storeLe32(p, static_cast<std::uint32_t>(value));
    storeLe32(p + 4, static_cast<std::uint32_t>(value >> 32));
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

Header decodeHeader(const std::uint8_t* bytes, const std::string& fileName) {
    auto fail = [&](const std::string& what) { return Error(fileName + ": " + what); };
    if (std::memcmp(bytes, kSignature, sizeof kSignature) != 0) throw fail("not a compound file (no signature)");
    if (loadLe16(bytes + 28) != kByteOrderMark) throw fail("compound file with an unknown byte order");
    std::uint16_t major = loadLe16(bytes + 26);
    if (major != kMajorVersion)
        throw fail("compound file of version " + std::to_string(major) + ", only version 3 is supported");
    if (loadLe16(bytes + 30) != kSectorShift || loadLe16(bytes + 32) != kMiniSectorShift)
        throw fail("compound file with non-standard sector sizes");
    if (loadLe32(bytes + 56) != kMiniStreamCutoff) throw fail("compound file with a non-standard mini stream cutoff");

    Header header;
    header.fatSectorCount = loadLe32(bytes + 44);
    header.directoryStart = loadLe32(bytes + 48);
    header.miniFatStart = loadLe32(bytes + 60);
    header.miniFatSectorCount = loadLe32(bytes + 64);
    header.difatStart = loadLe32(bytes + 68);
    header.difatSectorCount = loadLe32(bytes + 72);
    for (std::size_t i = 0; i < kHeaderDifatSlots; ++i) header.difat[i] = loadLe32(bytes + 76 + 4 * i);
    return header;
}

void encodeHeader(const Header& header, std::uint8_t* bytes) {
    std::memset(bytes, 0, kHeaderSize);
    std::memcpy(bytes, kSignature, sizeof kSignature);
    storeLe16(bytes + 24, kMinorVersion);
    storeLe16(bytes + 26, kMajorVersion);
    storeLe16(bytes + 28, kByteOrderMark);
    storeLe16(bytes + 30, kSectorShift);
    storeLe16(bytes + 32, kMiniSectorShift);
    storeLe32(bytes + 44, header.fatSectorCount);
    storeLe32(bytes + 48, header.directoryStart);
    storeLe32(bytes + 56, kMiniStreamCutoff);
    storeLe32(bytes + 60, header.miniFatStart);
    storeLe32(bytes + 64, header.miniFatSectorCount);
    storeLe32(bytes + 68, header.difatStart);
    storeLe32(bytes + 72, header.difatSectorCount);
    for (std::size_t i = 0; i < kHeaderDifatSlots; ++i) storeLe32(bytes + 76 + 4 * i, header.difat[i]);
}

DirEntry decodeDirEntry(const std::uint8_t* bytes, std::uint32_t index, const std::string& fileName) {
    DirEntry entry;
    entry.type = static_cast<EntryType>(bytes[66]);
    if (entry.type != EntryType::Storage && entry.type != EntryType::Stream && entry.type != EntryType::Root) {
        entry.type = EntryType::Unallocated;
        return entry;
    }
    std::uint16_t nameBytes = loadLe16(bytes + 64);
    if (nameBytes < 2 || nameBytes > 64 || nameBytes % 2 != 0 || loadLe16(bytes + nameBytes - 2) != 0)
        throw Error(fileName + ": directory entry " + std::to_string(index) + " has a malformed name");
    for (std::size_t i = 0; i + 2 < nameBytes; i += 2) entry.name += static_cast<char16_t>(loadLe16(bytes + i));
    entry.color = bytes[67] == 0 ? Color::Red : Color::Black;
    entry.left = loadLe32(bytes + 68);
    entry.right = loadLe32(bytes + 72);
    entry.child = loadLe32(bytes + 76);
    std::memcpy(entry.clsid.data(), bytes + 80, entry.clsid.size());
    entry.stateBits = loadLe32(bytes + 96);
    entry.created = readU64(bytes + 100);
    entry.modified = readU64(bytes + 108);
    entry.start = loadLe32(bytes + 116);
    // Version 3 sizes are below 2 GB; older writers left garbage in the high half.
    entry.size = loadLe32(bytes + 120);
    return entry;
}

void encodeDirEntry(const DirEntry& entry, std::uint8_t* bytes) {
    std::memset(bytes, 0, kDirEntrySize);
    storeLe32(bytes + 68, kNoStream);
    storeLe32(bytes + 72, kNoStream);
    storeLe32(bytes + 76, kNoStream);
    if (entry.type == EntryType::Unallocated) return;
    for (std::size_t i = 0; i < entry.name.size(); ++i) storeLe16(bytes + 2 * i, entry.name[i]);
    storeLe16(bytes + 64, static_cast<std::uint16_t>(2 * (entry.name.size() + 1)));
    bytes[66] = static_cast<std::uint8_t>(entry.type);
    bytes[67] = static_cast<std::uint8_t>(entry.color);
    storeLe32(bytes + 68, entry.left);
    storeLe32(bytes + 72, entry.right);
    storeLe32(bytes + 76, entry.child);
    std::memcpy(bytes + 80, entry.clsid.data(), entry.clsid.size());
    storeLe32(bytes + 96, entry.stateBits);
    writeU64(bytes + 100, entry.created);
    writeU64(bytes + 108, entry.modified);
    storeLe32(bytes + 116, entry.start);
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
