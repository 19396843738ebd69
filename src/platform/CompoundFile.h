#pragma once
// A compound file (Microsoft Compound File Binary format, version 3, 512-byte
// sectors) held in memory: a tree of storages and streams read from, and
// written back to, a byte image.
//
// Portable code used by the hosted backend of StructuredStorage and by the
// dbx tool; it does no file I/O itself, so that the caller decides how a new
// image replaces the old file.
//
// Reading treats the image as untrusted: sector numbers past the end, chains
// that loop or cross, a directory tree that loops, sizes that do not fit and
// a truncated image all give an Error naming the file. Nothing is allocated
// for a stream before its sectors are known to be in the image.
//
// Writing lays the whole file out anew (FAT, DIFAT when the FAT needs more than
// 109 sectors, directory with red-black trees, mini FAT and mini stream for
// streams under 4096 bytes). Every entry keeps its name, class id, state bits,
// times and bytes, so streams that were not touched survive bit for bit.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CfbFormat.h"

namespace vk::platform {

struct CompoundEntry {
    std::u16string name;
    bool isStorage = false;
    cfb::Clsid clsid{};
    std::uint32_t stateBits = 0;
    std::uint64_t created = 0;
    std::uint64_t modified = 0;
    std::vector<std::uint8_t> data;                         // a stream's bytes
    std::vector<std::unique_ptr<CompoundEntry>> children;   // a storage's entries
};

class CompoundFile {
public:
    // An empty file: a root storage without entries.
    CompoundFile();

    // Throws Error naming fileName when bytes are not a consistent compound file.
    static CompoundFile parse(std::span<const std::uint8_t> bytes, const std::string& fileName);
    std::vector<std::uint8_t> serialize() const;

    CompoundEntry& root() { return *root_; }
    const CompoundEntry& root() const { return *root_; }

    // The entry of that name directly under storage (the format's
    // case-insensitive comparison), or nullptr.
    static CompoundEntry* find(CompoundEntry& storage, std::u16string_view name);
    // An empty stream of that name under storage; an existing stream of that
    // name is emptied. Throws Error for a name the format cannot hold or when
    // a storage has that name.
    static CompoundEntry& createStream(CompoundEntry& storage, std::u16string_view name);
    // A new empty stream of that name after storage's entries, without
    // looking for one of that name: for a caller that has made sure the names
    // it adds differ (compareNames), so that many streams are added in linear
    // time. Throws Error for a name the format cannot hold.
    static CompoundEntry& appendStream(CompoundEntry& storage, std::u16string_view name);

private:
    std::unique_ptr<CompoundEntry> root_;
};

}  // namespace vk::platform
