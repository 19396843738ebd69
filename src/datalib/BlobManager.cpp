#include "datalib/BlobManager.h"

#include <algorithm>
#include <cstring>

#include "datalib/FieldValues.h"
#include "platform/LittleEndian.h"
#include "platform/Error.h"

namespace vk {

namespace {

constexpr int kId = 0, kSize = 1, kNext = 2, kData = 3;
constexpr std::uint32_t kMinimumPageSize = 32;

RecordLayout pageLayout(std::uint32_t pageSize) {
    RecordLayout layout;
    layout.addField({"ID", FieldType::Integer, 0, false});
    layout.addField({"Size", FieldType::Integer, 0, false});
    layout.addField({"Next", FieldType::Integer, 0, false});
    layout.addField({"Data", FieldType::String, static_cast<std::uint16_t>(pageSize), false});
    return layout;
}

}  // namespace

TBlobManager::TBlobManager(int blobPageSize)
    : pageSize_(std::max<std::uint32_t>(kMinimumPageSize, static_cast<std::uint32_t>(std::max(blobPageSize, 0)))),
      layout_(pageLayout(pageSize_)),
      pages_(layout_),
      byId_(layout_, {KeySector{kId, 1}}, nullptr) {}

int TBlobManager::position(std::int32_t id) const {
    int at = pages_.partitionPoint(0, pages_.size(), [&](const std::uint8_t* page) {
        return sectorAsInteger(layout_, page, kId) < id;
    });
    if (at < pages_.size() && sectorAsInteger(layout_, pages_.at(at), kId) == id) return at;
    return -1;
}

int TBlobManager::positionOf(const std::uint8_t* image) const {
    int at = pages_.partitionPoint(0, pages_.size(), [&](const std::uint8_t* page) {
        return byId_.compare(page, image) < 0;
    });
    if (at < pages_.size() && layout_.identity(pages_.at(at)) == layout_.identity(image)) return at;
    return -1;
}

void TBlobManager::placePage(RecordBuffer page) {
    int at = pages_.partitionPoint(0, pages_.size(), [&](const std::uint8_t* other) {
        return byId_.compare(other, page.get()) < 0;
    });
    pages_.insert(at, std::move(page));
}

std::optional<BlobPage> TBlobManager::page(std::int32_t id) const {
    int at = position(id);
    if (at < 0) return std::nullopt;
    const std::uint8_t* record = pages_.at(at);
    BlobPage result;
    result.id = id;
    if (!layout_.isNull(record, kSize)) result.size = static_cast<std::int32_t>(sectorAsInteger(layout_, record, kSize));
    result.next = static_cast<std::int32_t>(sectorAsInteger(layout_, record, kNext));
    result.data = layout_.value(record, kData);
    return result;
}

std::int32_t TBlobManager::appendPage() {
    keyCounter_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(keyCounter_) + 1u);
    RecordBuffer page = pages_.newRecord();
    assignInteger(layout_, page.get(), kId, keyCounter_);
    log_.push_back({ChangeKind::Inserted, pages_.copyOf(page.get())});
    placePage(std::move(page));
    return keyCounter_;
}

std::uint8_t* TBlobManager::editablePage(std::int32_t id) {
    int at = position(id);
    if (at < 0) throw Error("Blob page " + std::to_string(id) + " does not exist");
    log_.push_back({ChangeKind::Edited, pages_.copyOf(pages_.at(at))});
    return pages_.at(at);
}

void TBlobManager::writePage(std::int32_t id, std::uint32_t offset, const std::uint8_t* bytes, std::uint32_t count) {
    if (offset + count > pageSize_) throw Error("Blob page write past the page size");
    std::uint8_t* page = editablePage(id);
    std::memcpy(layout_.value(page, kData) + offset, bytes, count);
    page[layout_.sector(kData).offset + layout_.sector(kData).size] = kSectorAssigned;
    assignInteger(layout_, page, kSize, offset + count);
}

void TBlobManager::setNext(std::int32_t id, std::int32_t next) {
    std::uint8_t* page = editablePage(id);
    if (next == 0)
        layout_.setNull(page, kNext);
    else
        assignInteger(layout_, page, kNext, next);
}

void TBlobManager::deleteChain(std::int32_t first) {
    std::int32_t id = first;
    for (int steps = pages_.size(); id != 0 && steps > 0; --steps) {
        int at = position(id);
        if (at < 0) return;
        id = static_cast<std::int32_t>(sectorAsInteger(layout_, pages_.at(at), kNext));
        log_.push_back({ChangeKind::Deleted, pages_.take(at)});
    }
}

void TBlobManager::commit() {
    log_.clear();
    ++serial_;
}

void TBlobManager::revert() {
    for (auto change = log_.rbegin(); change != log_.rend(); ++change) {
        int at = positionOf(change->image.get());
        switch (change->kind) {
        case ChangeKind::Inserted:
            if (at >= 0) pages_.take(at);
            break;
        case ChangeKind::Deleted:
            placePage(std::move(change->image));
            break;
        case ChangeKind::Edited:
            if (at >= 0) std::memcpy(pages_.at(at), change->image.get(), layout_.bufferSize());
            break;
        }
    }
    log_.clear();
    ++serial_;
}

void TBlobManager::clear() {
    pages_.clear();
    log_.clear();
    ++serial_;
}

void TBlobManager::pagesLoaded() {
    pages_.sort([&](const std::uint8_t* a, const std::uint8_t* b) { return byId_.compare(a, b) < 0; }, false);
    if (!pages_.empty())
        keyCounter_ = std::max(keyCounter_, static_cast<std::int32_t>(sectorAsInteger(layout_, pages_.at(pages_.size() - 1), kId)));
}

}  // namespace vk
