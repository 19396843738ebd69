#include "platform/PeImage.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/LittleEndian.h"
#include "platform/Text.h"
#include "platform/VersionResource.h"

namespace vk::platform {

namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kResourceDirectorySize = 16;
constexpr std::size_t kResourceEntrySize = 8;
constexpr std::size_t kResourceDataEntrySize = 16;
constexpr std::uint32_t kResourceDataDirectory = 2;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::uint16_t kVersionInfoId = 1;  // VS_VERSION_INFO

}  // namespace

std::string ResourceId::display() const {
    return isName_ ? name_ : "#" + std::to_string(id_);
}

PeImage::PeImage(Stream& image) : image_(image), imageSize_(image.size()) {
    readHeaders();
}

void PeImage::fail(const std::string& what) const {
    throw Error(image_.name() + ": damaged PE image: " + what);
}

void PeImage::requireInFile(std::int64_t offset, std::size_t size, const char* what) const {
    if (offset < 0 || offset > imageSize_ || static_cast<std::uint64_t>(imageSize_ - offset) < size)
        fail(std::string(what) + " extends past the end of the file");
}

void PeImage::readAt(std::int64_t offset, void* buffer, std::size_t size, const char* what) {
    requireInFile(offset, size, what);
    image_.seek(offset, SeekOrigin::Begin);
    image_.readExact(buffer, size);
}

void PeImage::readHeaders() {
    std::uint8_t dos[kDosHeaderSize];
    if (imageSize_ < static_cast<std::int64_t>(kDosHeaderSize)) throw Error(image_.name() + ": not a PE image (too short)");
    readAt(0, dos, sizeof dos, "DOS header");
    if (dos[0] != 'M' || dos[1] != 'Z') throw Error(image_.name() + ": not a PE image (no MZ signature)");
    const std::int64_t peOffset = loadLe32(dos + 0x3C);

    std::uint8_t pe[4 + kCoffHeaderSize];
    readAt(peOffset, pe, sizeof pe, "PE header");
    if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
        throw Error(image_.name() + ": not a PE image (no PE signature)");
    const std::uint8_t* coff = pe + 4;
    const std::uint16_t sectionCount = loadLe16(coff + 2);
    const std::uint16_t optionalSize = loadLe16(coff + 16);

    const std::int64_t optionalOffset = peOffset + static_cast<std::int64_t>(sizeof pe);
    requireInFile(optionalOffset, optionalSize, "optional header");
    std::vector<std::uint8_t> optional(optionalSize);
    readAt(optionalOffset, optional.data(), optional.size(), "optional header");
    if (optionalSize < 2) fail("optional header missing");
    const std::uint16_t magic = loadLe16(optional.data());
    if (magic != 0x10B && magic != 0x20B) fail("unknown optional header magic");
    is64Bit_ = magic == 0x20B;
    const std::size_t countField = is64Bit_ ? 108 : 92;
    const std::size_t directories = countField + 4;
    if (optionalSize < directories) fail("optional header too short");
    const std::uint32_t directoryCount = loadLe32(optional.data() + countField);
    const std::size_t resourceField = directories + 8 * kResourceDataDirectory;
    std::uint32_t resourceRva = 0;
    if (directoryCount > kResourceDataDirectory) {
        if (optionalSize < resourceField + 8) fail("data directories run past the optional header");
        resourceRva = loadLe32(optional.data() + resourceField);
    }

    const std::size_t tableSize = std::size_t{sectionCount} * kSectionHeaderSize;
    requireInFile(optionalOffset + optionalSize, tableSize, "section table");
    std::vector<std::uint8_t> table(tableSize);
    readAt(optionalOffset + optionalSize, table.data(), table.size(), "section table");
    sections_.reserve(sectionCount);
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::uint8_t* s = table.data() + i * kSectionHeaderSize;
        sections_.push_back({loadLe32(s + 12), loadLe32(s + 8), loadLe32(s + 20), loadLe32(s + 16)});
    }

    if (resourceRva != 0) {
        resources_ = map(resourceRva);
        if (!resources_ || resources_->available < static_cast<std::int64_t>(kResourceDirectorySize))
            fail("resource directory lies outside the file");
    }
}

std::optional<PeImage::Mapped> PeImage::map(std::uint32_t rva) const {
    for (const Section& s : sections_) {
        const std::uint32_t span = s.virtualSize != 0 ? s.virtualSize : s.rawSize;
        if (rva < s.virtualAddress || rva - s.virtualAddress >= span) continue;
        const std::int64_t delta = rva - s.virtualAddress;
        const std::int64_t offset = std::int64_t{s.rawOffset} + delta;
        const std::int64_t sectionEnd = std::min<std::int64_t>(std::int64_t{s.rawOffset} + s.rawSize, imageSize_);
        if (offset >= sectionEnd) return std::nullopt;  // in the zero-filled tail, not in the file
        return Mapped{offset, sectionEnd - offset};
    }
    return std::nullopt;
}

std::int64_t PeImage::fileOffsetOf(std::uint32_t rva, std::uint32_t size, const char* what) const {
    const auto mapped = map(rva);
    if (!mapped) fail(std::string(what) + " lies outside every section's file data");
    if (mapped->available < size) fail(std::string(what) + " extends past its section or the end of the file");
    return mapped->offset;
}

std::string PeImage::entryName(std::uint32_t nameOffset) {
    const std::int64_t area = resources_->available;
    if (nameOffset > area - 2) fail("resource name lies past the resource section");
    std::uint8_t lengthBytes[2];
    readAt(resources_->offset + nameOffset, lengthBytes, 2, "resource name");
    const std::size_t length = loadLe16(lengthBytes);
    if (static_cast<std::int64_t>(length) * 2 > area - 2 - nameOffset)
        fail("resource name lies past the resource section");
    std::vector<std::uint8_t> bytes(length * 2);
    readAt(resources_->offset + nameOffset + 2, bytes.data(), bytes.size(), "resource name");
    std::u16string units(length, u'\0');
    for (std::size_t i = 0; i < length; ++i) units[i] = loadLe16(bytes.data() + 2 * i);
    try {
        return fromUtf16(units);
    } catch (const Error&) {
        fail("resource name is not valid UTF-16");
    }
}

std::optional<std::uint32_t> PeImage::findEntry(std::uint32_t directory, const ResourceId* id, const char* level) {
    // The tree has exactly three levels, so the depth is bounded by the
    // caller; a directory met twice means the tree points back into itself.
    if (std::find(visitedDirectories_.begin(), visitedDirectories_.end(), directory) != visitedDirectories_.end())
        fail(std::string("resource ") + level + " directory loops back into the tree");
    visitedDirectories_.push_back(directory);

    const std::int64_t area = resources_->available;
    if (directory > area - static_cast<std::int64_t>(kResourceDirectorySize))
        fail(std::string("resource ") + level + " directory lies past the resource section");
    std::uint8_t header[kResourceDirectorySize];
    readAt(resources_->offset + directory, header, sizeof header, "resource directory");
    const std::size_t count = std::size_t{loadLe16(header + 12)} + loadLe16(header + 14);
    const std::int64_t entriesStart = directory + static_cast<std::int64_t>(kResourceDirectorySize);
    if (static_cast<std::int64_t>(count * kResourceEntrySize) > area - entriesStart)
        fail(std::string("resource ") + level + " directory entries run past the resource section");
    std::vector<std::uint8_t> entries(count * kResourceEntrySize);
    readAt(resources_->offset + entriesStart, entries.data(), entries.size(), "resource directory");

    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = entries.data() + i * kResourceEntrySize;
        const std::uint32_t nameField = loadLe32(e);
        const std::uint32_t dataField = loadLe32(e + 4);
        if (id == nullptr) return dataField;
        const bool named = (nameField & kHighBit) != 0;
        if (named != id->isName()) continue;
        if (named ? sameText(entryName(nameField & ~kHighBit), id->name()) : nameField == id->id())
            return dataField;
    }
    return std::nullopt;
}

std::uint32_t PeImage::subdirectory(std::uint32_t entry, const char* level) const {
    if ((entry & kHighBit) == 0) fail(std::string("resource ") + level + " entry is data, not a directory");
    return entry & ~kHighBit;
}

std::optional<ResourceLocation> PeImage::findResource(const ResourceId& type, const ResourceId& name) {
    if (!resources_) return std::nullopt;
    visitedDirectories_.clear();
    const auto typeEntry = findEntry(0, &type, "type");
    if (!typeEntry) return std::nullopt;
    const auto nameEntry = findEntry(subdirectory(*typeEntry, "type"), &name, "name");
    if (!nameEntry) return std::nullopt;
    const auto languageEntry = findEntry(subdirectory(*nameEntry, "name"), nullptr, "language");
    if (!languageEntry) return std::nullopt;
    if ((*languageEntry & kHighBit) != 0) fail("resource tree is deeper than type, name and language");

    const std::uint32_t dataEntry = *languageEntry;
    if (dataEntry > resources_->available - static_cast<std::int64_t>(kResourceDataEntrySize))
        fail("resource data entry lies past the resource section");
    std::uint8_t data[kResourceDataEntrySize];
    readAt(resources_->offset + dataEntry, data, sizeof data, "resource data entry");
    const std::uint32_t size = loadLe32(data + 4);
    const std::string what = "resource " + type.display() + "/" + name.display();
    return ResourceLocation{fileOffsetOf(loadLe32(data), size, what.c_str()), size};
}

std::vector<std::uint8_t> PeImage::readResource(const ResourceLocation& where, std::uint32_t maxSize) {
    if (where.size > maxSize)
        fail("resource of " + std::to_string(where.size) + " bytes is larger than the " + std::to_string(maxSize) +
             " expected");
    std::vector<std::uint8_t> bytes(where.size);
    readAt(where.offset, bytes.data(), bytes.size(), "resource");
    return bytes;
}

std::optional<std::string> PeImage::versionString(std::string_view table, std::string_view key) {
    auto where = findResource(kResourceTypeVersion, kVersionInfoId);
    if (!where) return std::nullopt;
    // VS_VERSIONINFO measures itself in 16 bits; anything beyond is padding.
    where->size = std::min<std::uint32_t>(where->size, 0xFFFF);
    return findVersionString(readResource(*where), table, key, image_.name());
}

std::unique_ptr<Stream> rcDataResource(std::unique_ptr<Stream> image, const ResourceId& name, std::string streamName) {
    const auto where = PeImage(*image).findResource(kResourceTypeRcData, name);
    if (!where) return nullptr;
    return std::make_unique<StreamWindow>(std::move(image), where->offset, where->size, std::move(streamName));
}

}  // namespace vk::platform
