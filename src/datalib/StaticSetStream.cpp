#include "datalib/StaticSetStream.h"

#include <algorithm>
#include <array>

#include "platform/LittleEndian.h"
#include "datalib/StaticSet.h"

namespace vk {

namespace {

constexpr std::size_t kPreambleSize = 8 + kStaticSetHeaderSize;

bool readFully(Stream& stream, std::uint8_t* buffer, std::size_t count) {
    while (count > 0) {
        std::size_t got = stream.read(buffer, count);
        if (got == 0) return false;
        buffer += got;
        count -= got;
    }
    return true;
}

}  // namespace

void writeSection(Stream& stream, const RecordList& records, std::uint32_t recordSize, const SectionUserArea& user) {
    std::array<std::uint8_t, kPreambleSize> preamble{};
    storeLe32(preamble.data(), kStaticSetMagic);
    storeLe32(preamble.data() + 4, kStaticSetHeaderSize);
    std::uint8_t* header = preamble.data() + 8;
    storeLeInt32(header, records.size());
    storeLe32(header + 4, recordSize);
    storeLeInt32(header + 8, records.idCounter());
    storeLeInt32(header + 12, user.keyCounter);
    storeLe32(header + 16, user.flags);
    storeLeInt32(header + 20, user.currentRecordId);
    stream.write(preamble.data(), preamble.size());
    for (int i = 0; i < records.size(); ++i) stream.write(records.at(i), recordSize);
}

bool sectionMayFollow(Stream& stream) { return stream.size() - stream.position() >= 5; }

std::optional<SectionUserArea> readSection(Stream& stream, RecordList& records, std::uint32_t recordSize) {
    records.clear();
    records.setIdCounter(0);
    std::array<std::uint8_t, kPreambleSize> preamble{};
    if (!readFully(stream, preamble.data(), 4) || loadLe32(preamble.data()) != kStaticSetMagic) return std::nullopt;
    if (!readFully(stream, preamble.data() + 4, 4) || loadLe32(preamble.data() + 4) != kStaticSetHeaderSize)
        return std::nullopt;
    const std::uint8_t* header = preamble.data() + 8;
    if (!readFully(stream, preamble.data() + 8, kStaticSetHeaderSize)) return std::nullopt;

    const std::int32_t count = loadLeInt32(header);
    const std::int32_t storedSize = loadLeInt32(header + 4);
    records.setIdCounter(loadLeInt32(header + 8));
    SectionUserArea user{loadLeInt32(header + 12), loadLe32(header + 16), loadLeInt32(header + 20)};

    // Each record consumes storedSize >= 1 bytes of the stream, so the loop
    // ends with the stream however large the announced count.
    const auto take = std::min<std::uint32_t>(recordSize, storedSize > 0 ? static_cast<std::uint32_t>(storedSize) : 0);
    if (take == 0) return user;
    for (std::int32_t i = 0; i < count; ++i) {
        RecordBuffer record = records.newRecord();
        std::int64_t start = stream.position();
        if (!readFully(stream, record.get(), take)) break;
        stream.seek(start + storedSize, SeekOrigin::Begin);
        records.append(std::move(record));
    }
    return user;
}

// --- the set's side

std::int32_t TStaticSet::currentRecordId() const {
    return current_ < 0 ? -1 : layout_.identity(records_.at(current_));
}

void TStaticSet::saveToStream(Stream& stream) {
    if (!active()) return;
    SectionUserArea user{keyCounter_, blobs_ ? kSectionBlobsFollow : 0u, currentRecordId()};
    writeSection(stream, records_, layout_.dataSize(), user);
    if (blobs_) {
        SectionUserArea pages{blobs_->keyCounter(), blobs_->hasPendingChanges() ? kSectionCachedChanges : 0u, -1};
        writeSection(stream, blobs_->pages(), blobs_->layout().dataSize(), pages);
    }
    modified_ = false;
}

void TStaticSet::loadFromStream(Stream& stream) {
    if (!active() || !sectionMayFollow(stream)) return;
    cancel();
    // The pages of the records being replaced go with them.
    if (blobs_) blobs_->clear();
    loadedFrom_ = stream.name();
    // The record list is rebuilt empty, counters included; a valid section restores them.
    keyCounter_ = 0;
    auto user = readSection(stream, records_, layout_.dataSize());
    if (user) {
        keyCounter_ = user->keyCounter;
        if (user->flags & kSectionBlobsFollow) {
            TBlobManager& pages = blobs();
            if (sectionMayFollow(stream)) {
                if (auto pageUser = readSection(stream, pages.pages(), pages.layout().dataSize()))
                    pages.setKeyCounter(pageUser->keyCounter);
                pages.pagesLoaded();
            }
        }
    }
    applyIndex();
    placeCursor(lo_);
    bof_ = true;
}

}  // namespace vk
