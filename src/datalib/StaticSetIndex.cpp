// Ordering, key lookup and ranges of a static set.
#include <algorithm>

#include "datalib/FieldValues.h"
#include "datalib/StaticSet.h"

namespace vk {

bool TStaticSet::ordered() const {
    return sorted_ ? static_cast<bool>(onCompareRecords_) : !comparer_.keys().empty();
}

int TStaticSet::compareForOrder(const std::uint8_t* a, const std::uint8_t* b) const {
    return sorted_ ? onCompareRecords_(a, b) : comparer_.compare(a, b);
}

void TStaticSet::rebuildComparer(std::vector<KeySector> keys) {
    comparer_ = RecordComparer(layout_, std::move(keys), onCompareSectors_);
}

void TStaticSet::setOnCompareSectors(CompareSectorsHandler handler) {
    onCompareSectors_ = std::move(handler);
    rebuildComparer(comparer_.keys());
}

void TStaticSet::applyIndex() {
    if (ordered())
        records_.sort([&](const std::uint8_t* a, const std::uint8_t* b) { return compareForOrder(a, b) < 0; },
                      sorted_);
    updateWindow();
}

// Re-sorts an open set by new keys, keeping the cursor on its record.
void TStaticSet::reorder(std::vector<KeySector> keys) {
    checkBrowseMode();
    const std::uint8_t* current = current_ < 0 ? nullptr : records_.at(current_);
    range_.reset();
    rebuildComparer(std::move(keys));
    applyIndex();
    placeCursor(current ? indexOf(current) : lo_);
}

void TStaticSet::setIndexFieldNames(std::string names) {
    if (!active()) {
        indexFieldNames_ = std::move(names);
        return;
    }
    auto keys = parseKeyList(layout_, names);
    indexFieldNames_ = std::move(names);
    reorder(std::move(keys));
}

void TStaticSet::setSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (active()) reorder(comparer_.keys());
}

int TStaticSet::placement(const std::uint8_t* record) const {
    // After every record that does not come later, so that a handler's ties keep insertion order.
    return records_.partitionPoint(0, records_.size(), [&](const std::uint8_t* other) {
        return compareForOrder(other, record) <= 0;
    });
}

int TStaticSet::indexOf(const std::uint8_t* record) const {
    for (int i = 0; i < records_.size(); ++i)
        if (records_.at(i) == record) return i;
    return lo_;
}

void TStaticSet::updateWindow() {
    if (!range_) {
        lo_ = 0;
        hi_ = records_.size();
        return;
    }
    lo_ = records_.partitionPoint(0, records_.size(), [&](const std::uint8_t* record) {
        return comparer_.compareKeys(record, range_->low.get(), range_->lowCount) < 0;
    });
    hi_ = records_.partitionPoint(lo_, records_.size(), [&](const std::uint8_t* record) {
        return comparer_.compareKeys(record, range_->high.get(), range_->highCount) <= 0;
    });
}

// A temporary record holding the values in the leading key fields; count
// receives how many key fields it fills.
RecordBuffer TStaticSet::keyRecord(const std::vector<KeyValue>& values, int& count) {
    RecordBuffer record = records_.newRecord();
    count = static_cast<int>(std::min(values.size(), comparer_.keys().size()));
    for (int i = 0; i < count; ++i) {
        int sector = comparer_.keys()[static_cast<std::size_t>(i)].sector;
        std::visit(
            [&](const auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::int64_t>)
                    assignInteger(layout_, record.get(), sector, value);
                else if constexpr (std::is_same_v<T, double>)
                    assignFloat(layout_, record.get(), sector, value);
                else if constexpr (std::is_same_v<T, bool>)
                    assignBoolean(layout_, record.get(), sector, value);
                else
                    assignString(layout_, record.get(), sector, value);
            },
            values[static_cast<std::size_t>(i)].value());
    }
    return record;
}

bool TStaticSet::findKey(const std::vector<KeyValue>& values) {
    checkBrowseMode();
    if (comparer_.keys().empty() || sorted_) return false;
    int count = 0;
    RecordBuffer key = keyRecord(values, count);
    int at = records_.partitionPoint(0, records_.size(), [&](const std::uint8_t* record) {
        return comparer_.compareKeys(record, key.get(), count) < 0;
    });
    if (at >= records_.size() || comparer_.compareKeys(records_.at(at), key.get(), count) != 0) return false;
    if (at < lo_ || at >= hi_) return false;
    placeCursor(at);
    return true;
}

void TStaticSet::setRange(const std::vector<KeyValue>& low, const std::vector<KeyValue>& high) {
    checkBrowseMode();
    if (comparer_.keys().empty() || sorted_) return;
    Range range;
    range.low = keyRecord(low, range.lowCount);
    range.high = keyRecord(high, range.highCount);
    range_ = std::move(range);
    updateWindow();
    first();
}

void TStaticSet::cancelRange() {
    checkBrowseMode();
    range_.reset();
    updateWindow();
    first();
}

void TStaticSet::emptyTable() {
    checkBrowseMode();
    records_.erase(lo_, hi_);
    updateWindow();
    placeCursor(lo_);
}

}  // namespace vk
