// Reading a compound file image into the in-memory tree (CompoundFile::parse).
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/CfbAllocation.h"
#include "platform/CompoundFile.h"
#include "platform/LittleEndian.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk::platform {

using namespace cfb;

namespace {

// A stored name for a message; a name that is not valid UTF-16 still shows.
std::string displayName(const std::u16string& name) {
    std::string shown;
    for (char16_t unit : name) {
        bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        shown += surrogate ? std::string("?") : fromUtf16(std::u16string(1, unit));
    }
    return shown;
}

class Reader {
public:
    Reader(std::span<const std::uint8_t> bytes, const std::string& fileName)
        : image_(bytes, fileName),
          header_(decodeHeader(bytes.data(), fileName)),
          fat_(image_.loadFat(header_)) {}

    std::unique_ptr<CompoundEntry> read() {
        readDirectory();
        const DirEntry& rootEntry = entries_[0];
        if (rootEntry.type != EntryType::Root) fail("the first directory entry is not the root storage");
        visited_[0] = true;
        readMiniStream(rootEntry);

        auto root = std::make_unique<CompoundEntry>();
        copyAttributes(rootEntry, *root);
        root->isStorage = true;
        // Storages still to fill, with the root of their children's tree; a
        // work list instead of recursion, so that a deep file cannot exhaust the stack.
        std::vector<std::pair<CompoundEntry*, std::uint32_t>> pending{{root.get(), rootEntry.child}};
        while (!pending.empty()) {
            auto [storage, treeRoot] = pending.back();
            pending.pop_back();
            for (std::uint32_t id : siblings(treeRoot)) {
                const DirEntry& entry = entries_[id];
                auto node = std::make_unique<CompoundEntry>();
                copyAttributes(entry, *node);
                if (entry.type == EntryType::Storage) {
                    node->isStorage = true;
                    pending.emplace_back(node.get(), entry.child);
                } else {
                    node->data = readStream(entry);
                }
                storage->children.push_back(std::move(node));
            }
            sortAndCheckNames(*storage);
        }
        return root;
    }

private:
    [[noreturn]] void fail(const std::string& what) const { throw Error(image_.fileName() + ": " + what); }

    static std::string describe(const DirEntry& entry) { return "stream \"" + displayName(entry.name) + "\""; }

    void readDirectory() {
        std::vector<std::uint32_t> chain = fat_.follow(header_.directoryStart, std::nullopt, "the directory");
        if (chain.empty()) fail("the compound file has no directory");
        for (std::uint32_t sector : chain) {
            const std::uint8_t* bytes = image_.sector(sector);
            for (std::size_t i = 0; i < kEntriesPerSector; ++i) {
                auto index = static_cast<std::uint32_t>(entries_.size());
                entries_.push_back(decodeDirEntry(bytes + i * kDirEntrySize, index, image_.fileName()));
            }
        }
        visited_.assign(entries_.size(), false);
    }

    void readMiniStream(const DirEntry& rootEntry) {
        if (rootEntry.size == 0) return;
        miniStream_ = image_.read(fat_, rootEntry.start, rootEntry.size, "the mini stream");
        std::vector<std::uint32_t> next;
        if (header_.miniFatStart != kEndOfChain) {
            for (std::uint32_t sector : fat_.follow(header_.miniFatStart, std::nullopt, "the mini FAT")) {
                const std::uint8_t* ids = image_.sector(sector);
                for (std::size_t i = 0; i < kIdsPerSector; ++i) next.push_back(loadLe32(ids + 4 * i));
            }
        }
        auto miniSectors = static_cast<std::uint32_t>(miniStream_.size() / kMiniSectorSize);
        miniFat_.emplace(std::move(next), miniSectors, image_.fileName(), "mini sector");
    }

    // The ids of the sibling tree under treeRoot, each checked to be a fresh,
    // allocated storage or stream entry.
    std::vector<std::uint32_t> siblings(std::uint32_t treeRoot) {
        std::vector<std::uint32_t> found;
        std::vector<std::uint32_t> stack;
        if (treeRoot != kNoStream) stack.push_back(treeRoot);
        while (!stack.empty()) {
            std::uint32_t id = stack.back();
            stack.pop_back();
            if (id >= entries_.size()) fail("the directory refers to entry " + std::to_string(id) + ", past its end");
            if (visited_[id]) fail("the directory tree loops (entry " + std::to_string(id) + " is reached twice)");
            visited_[id] = true;
            const DirEntry& entry = entries_[id];
            if (entry.type != EntryType::Storage && entry.type != EntryType::Stream)
                fail("the directory tree reaches entry " + std::to_string(id) + ", which is not a storage or stream");
            found.push_back(id);
            if (entry.left != kNoStream) stack.push_back(entry.left);
            if (entry.right != kNoStream) stack.push_back(entry.right);
        }
        return found;
    }

    std::vector<std::uint8_t> readStream(const DirEntry& entry) {
        if (entry.size == 0) return {};
        if (entry.size >= kMiniStreamCutoff) return image_.read(fat_, entry.start, entry.size, describe(entry));
        if (!miniFat_) fail("the " + describe(entry) + " lies in a mini stream that the file does not have");
        std::size_t count = (entry.size + kMiniSectorSize - 1) / kMiniSectorSize;
        std::vector<std::uint32_t> chain = miniFat_->follow(entry.start, count, describe(entry));
        std::vector<std::uint8_t> data(entry.size);
        for (std::size_t i = 0; i < chain.size(); ++i) {
            std::size_t offset = i * kMiniSectorSize;
            std::size_t n = std::min<std::size_t>(kMiniSectorSize, data.size() - offset);
            std::memcpy(data.data() + offset, miniStream_.data() + chain[i] * kMiniSectorSize, n);
        }
        return data;
    }

    static void copyAttributes(const DirEntry& entry, CompoundEntry& node) {
        node.name = entry.name;
        node.clsid = entry.clsid;
        node.stateBits = entry.stateBits;
        node.created = entry.created;
        node.modified = entry.modified;
    }

    void sortAndCheckNames(CompoundEntry& storage) const {
        auto& children = storage.children;
        std::sort(children.begin(), children.end(),
                  [](const auto& a, const auto& b) { return compareNames(a->name, b->name) < 0; });
        for (std::size_t i = 1; i < children.size(); ++i)
            if (compareNames(children[i - 1]->name, children[i]->name) == 0)
                fail("two directory entries are named \"" + displayName(children[i]->name) + "\"");
    }

    SectorImage image_;
    Header header_;
    AllocationTable fat_;
    std::vector<DirEntry> entries_;
    std::vector<bool> visited_;
    std::vector<std::uint8_t> miniStream_;
    std::optional<AllocationTable> miniFat_;
};

}  // namespace

CompoundFile CompoundFile::parse(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    CompoundFile file;
    file.root_ = Reader(bytes, fileName).read();
    return file;
}

}  // namespace vk::platform
