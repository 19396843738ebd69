#include "datalib/RecordList.h"

#include <cstring>

namespace vk {

RecordBuffer RecordList::newRecord() {
    RecordBuffer record(new std::uint8_t[layout_->bufferSize()]());
    // The counter wraps instead of overflowing: a loaded counter is untrusted.
    idCounter_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(idCounter_) + 1u);
    layout_->setIdentity(record.get(), idCounter_);
    layout_->setUpdateStatus(record.get(), kRecordUnchanged);
    return record;
}

RecordBuffer RecordList::copyOf(const std::uint8_t* record) const {
    RecordBuffer copy(new std::uint8_t[layout_->bufferSize()]);
    std::memcpy(copy.get(), record, layout_->bufferSize());
    return copy;
}

RecordList::RecordList(RecordList&& other) noexcept
    : layout_(other.layout_), records_(std::move(other.records_)), idCounter_(other.idCounter_) {
    other.records_.clear();
}

RecordList& RecordList::operator=(RecordList&& other) noexcept {
    if (this != &other) {
        clear();
        layout_ = other.layout_;
        records_ = std::move(other.records_);
        other.records_.clear();
        idCounter_ = other.idCounter_;
    }
    return *this;
}

void RecordList::insert(int index, RecordBuffer record) {
    records_.insert(records_.begin() + index, record.get());
    record.release();
}

void RecordList::append(RecordBuffer record) {
    records_.push_back(record.get());
    record.release();
}

RecordBuffer RecordList::take(int index) {
    RecordBuffer record(records_[static_cast<std::size_t>(index)]);
    records_.erase(records_.begin() + index);
    return record;
}

void RecordList::erase(int first, int last) {
    for (int i = first; i < last; ++i) delete[] records_[static_cast<std::size_t>(i)];
    records_.erase(records_.begin() + first, records_.begin() + last);
}

}  // namespace vk
