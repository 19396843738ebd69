// Laying a compound file out anew from the in-memory tree (CompoundFile::serialize).
//
// Sector order: FAT, DIFAT, directory, mini FAT, mini stream, then the large
// streams, each chain contiguous. Siblings form a balanced red-black tree.
#include <algorithm>
#include <cstring>

#include "platform/CompoundFile.h"
#include "platform/LittleEndian.h"

namespace vk::platform {

using namespace cfb;

namespace {

std::size_t sectorsFor(std::size_t bytes, std::size_t unit) { return (bytes + unit - 1) / unit; }

class Writer {
public:
    explicit Writer(const CompoundEntry& root) { collect(root); }

    std::vector<std::uint8_t> write() {
        placeSmallStreams();
        const std::size_t directorySectors = sectorsFor(entries_.size(), kEntriesPerSector);
        const std::size_t miniFatSectors = sectorsFor(miniFat_.size(), kIdsPerSector);
        const std::size_t miniStreamSectors = sectorsFor(miniStream_.size(), kSectorSize);
        std::size_t largeSectors = 0;
        for (const auto& [id, node] : largeStreams_) largeSectors += sectorsFor(node->data.size(), kSectorSize);
        const std::size_t contentSectors = directorySectors + miniFatSectors + miniStreamSectors + largeSectors;
        sizeFat(contentSectors);

        std::uint32_t next = static_cast<std::uint32_t>(fatSectors_ + difatSectors_);
        header_.fatSectorCount = static_cast<std::uint32_t>(fatSectors_);
        header_.directoryStart = allocate(next, directorySectors);
        header_.miniFatStart = allocate(next, miniFatSectors);
        header_.miniFatSectorCount = static_cast<std::uint32_t>(miniFatSectors);
        entries_[0].start = allocate(next, miniStreamSectors);
        entries_[0].size = miniStream_.size();
        for (const auto& [id, node] : largeStreams_) entries_[id].start = allocate(next, sectorsFor(node->data.size(), kSectorSize));
        sectorTotal_ = next;
        return image(directorySectors, miniFatSectors);
    }

private:
    // Gives every entry its directory id, root first, then each storage's
    // children in name order right after one another.
    void collect(const CompoundEntry& root) {
        entries_.push_back(entryFor(root, EntryType::Root));
        nodes_.push_back(&root);
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            const CompoundEntry& storage = *nodes_[i];
            if (!storage.isStorage || storage.children.empty()) continue;
            std::vector<const CompoundEntry*> sorted;
            for (const auto& child : storage.children) sorted.push_back(child.get());
            std::sort(sorted.begin(), sorted.end(),
                      [](auto* a, auto* b) { return compareNames(a->name, b->name) < 0; });
            auto first = static_cast<std::uint32_t>(entries_.size());
            for (const CompoundEntry* child : sorted) {
                entries_.push_back(entryFor(*child, child->isStorage ? EntryType::Storage : EntryType::Stream));
                nodes_.push_back(child);
            }
            auto count = static_cast<std::uint32_t>(sorted.size());
            int depth = 0;
            while ((2u << depth) <= count) ++depth;  // floor(log2(count))
            entries_[i].child = buildTree(first, first + count, 0, depth);
        }
    }

    static DirEntry entryFor(const CompoundEntry& node, EntryType type) {
        DirEntry entry;
        entry.name = node.name;
        entry.type = type;
        entry.clsid = node.clsid;
        entry.stateBits = node.stateBits;
        entry.created = node.created;
        entry.modified = node.modified;
        entry.size = type == EntryType::Stream ? node.data.size() : 0;
        // A storage owns no sectors: its start is zero, not a chain's end.
        if (type == EntryType::Storage) entry.start = 0;
        return entry;
    }

    // A balanced tree over the sorted ids [begin, end). Every level but the
    // deepest is full, so colouring the deepest level red (below a black
    // root) gives every path the same number of black nodes.
    std::uint32_t buildTree(std::uint32_t begin, std::uint32_t end, int depth, int deepest) {
        if (begin == end) return kNoStream;
        std::uint32_t middle = begin + (end - begin) / 2;
        DirEntry& entry = entries_[middle];
        entry.color = depth == deepest && depth > 0 ? Color::Red : Color::Black;
        entry.left = buildTree(begin, middle, depth + 1, deepest);
        entry.right = buildTree(middle + 1, end, depth + 1, deepest);
        return middle;
    }

    void placeSmallStreams() {
        for (std::uint32_t id = 0; id < entries_.size(); ++id) {
            if (entries_[id].type != EntryType::Stream) continue;
            const std::vector<std::uint8_t>& data = nodes_[id]->data;
            if (data.empty()) continue;
            if (data.size() >= kMiniStreamCutoff) {
                largeStreams_.emplace_back(id, nodes_[id]);
                continue;
            }
            auto first = static_cast<std::uint32_t>(miniFat_.size());
            std::size_t count = sectorsFor(data.size(), kMiniSectorSize);
            for (std::size_t i = 0; i < count; ++i)
                miniFat_.push_back(i + 1 < count ? first + static_cast<std::uint32_t>(i) + 1 : kEndOfChain);
            entries_[id].start = first;
            miniStream_.insert(miniStream_.end(), data.begin(), data.end());
            miniStream_.resize(miniFat_.size() * kMiniSectorSize, 0);
        }
    }

    // The smallest FAT that covers the content, itself and the DIFAT.
    void sizeFat(std::size_t contentSectors) {
        fatSectors_ = 1;
        for (;;) {
            difatSectors_ = fatSectors_ > kHeaderDifatSlots
                                ? sectorsFor(fatSectors_ - kHeaderDifatSlots, kIdsPerSector - 1)
                                : 0;
            if (fatSectors_ * kIdsPerSector >= contentSectors + fatSectors_ + difatSectors_) return;
            ++fatSectors_;
        }
    }

    std::uint32_t allocate(std::uint32_t& next, std::size_t count) {
        if (count == 0) return kEndOfChain;
        std::uint32_t first = next;
        for (std::size_t i = 0; i < count; ++i) chains_.push_back({next++, i + 1 < count});
        return first;
    }

    std::vector<std::uint8_t> image(std::size_t directorySectors, std::size_t miniFatSectors) {
        std::vector<std::uint8_t> bytes(kHeaderSize + std::size_t{sectorTotal_} * kSectorSize, 0);
        auto sector = [&](std::uint32_t index) { return bytes.data() + kHeaderSize + std::size_t{index} * kSectorSize; };

        std::vector<std::uint32_t> fat(fatSectors_ * kIdsPerSector, kFreeSector);
        for (std::uint32_t i = 0; i < fatSectors_; ++i) fat[i] = kFatSector;
        for (std::size_t i = 0; i < difatSectors_; ++i) fat[fatSectors_ + i] = kDifatSector;
        for (const auto& [index, continues] : chains_) fat[index] = continues ? index + 1 : kEndOfChain;
        for (std::size_t i = 0; i < fat.size(); ++i) storeLe32(sector(0) + 4 * i, fat[i]);

        header_.difat.fill(kFreeSector);
        std::uint8_t* difat = nullptr;
        std::size_t slot = 0;
        for (std::uint32_t i = 0; i < fatSectors_; ++i) {
            if (i < kHeaderDifatSlots) {
                header_.difat[i] = i;
                continue;
            }
            if (!difat || slot == kIdsPerSector - 1) {
                auto index = static_cast<std::uint32_t>(fatSectors_ + (i - kHeaderDifatSlots) / (kIdsPerSector - 1));
                if (difat) storeLe32(difat + kSectorSize - 4, index);
                else header_.difatStart = index;
                difat = sector(index);
                std::memset(difat, 0xFF, kSectorSize);
                storeLe32(difat + kSectorSize - 4, kEndOfChain);
                slot = 0;
            }
            storeLe32(difat + 4 * slot++, i);
        }
        header_.difatSectorCount = static_cast<std::uint32_t>(difatSectors_);
        encodeHeader(header_, bytes.data());

        for (std::size_t i = 0; i < directorySectors * kEntriesPerSector; ++i) {
            DirEntry unused;
            encodeDirEntry(i < entries_.size() ? entries_[i] : unused,
                           sector(header_.directoryStart) + i * kDirEntrySize);
        }
        std::vector<std::uint32_t> miniFat(miniFatSectors * kIdsPerSector, kFreeSector);
        std::copy(miniFat_.begin(), miniFat_.end(), miniFat.begin());
        for (std::size_t i = 0; i < miniFat.size(); ++i) storeLe32(sector(header_.miniFatStart) + 4 * i, miniFat[i]);
        if (!miniStream_.empty()) std::memcpy(sector(entries_[0].start), miniStream_.data(), miniStream_.size());
        for (const auto& [id, node] : largeStreams_)
            std::memcpy(sector(entries_[id].start), node->data.data(), node->data.size());
        return bytes;
    }

    std::vector<DirEntry> entries_;
    std::vector<const CompoundEntry*> nodes_;
    std::vector<std::pair<std::uint32_t, const CompoundEntry*>> largeStreams_;
    std::vector<std::uint32_t> miniFat_;
    std::vector<std::uint8_t> miniStream_;
    std::vector<std::pair<std::uint32_t, bool>> chains_;  // sector, whether the chain continues
    std::size_t fatSectors_ = 0;
    std::size_t difatSectors_ = 0;
    std::uint32_t sectorTotal_ = 0;
    Header header_;
};

}  // namespace

std::vector<std::uint8_t> CompoundFile::serialize() const { return Writer(*root_).write(); }

}  // namespace vk::platform
