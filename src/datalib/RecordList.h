#pragma once
// The ordered record list of a static set: owned record buffers in list
// order, plus the identity counter every new buffer draws from. Ordering,
// cursor and visibility belong to the owner; the list only stores.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "datalib/RecordLayout.h"

namespace vk {

using RecordBuffer = std::unique_ptr<std::uint8_t[]>;

class RecordList {
public:
    explicit RecordList(const RecordLayout& layout) : layout_(&layout) {}
    ~RecordList() { clear(); }
    RecordList(RecordList&& other) noexcept;
    RecordList& operator=(RecordList&& other) noexcept;

    // A zero-filled buffer with the next identity and update status "unchanged".
    // Temporary key buffers draw identities too, so identities are unique and
    // increasing but not consecutive.
    RecordBuffer newRecord();
    RecordBuffer copyOf(const std::uint8_t* record) const;

    int size() const { return static_cast<int>(records_.size()); }
    bool empty() const { return records_.empty(); }
    std::uint8_t* at(int index) { return records_[static_cast<std::size_t>(index)]; }
    const std::uint8_t* at(int index) const { return records_[static_cast<std::size_t>(index)]; }

    void insert(int index, RecordBuffer record);
    void append(RecordBuffer record);
    RecordBuffer take(int index);
    // Removes the records in [first, last).
    void erase(int first, int last);
    void clear() { erase(0, size()); }

    // Reorders by a strict weak ordering over record pointers.
    template <class Less>
    void sort(Less less, bool stable);
    // The first index in [first, last) whose record is not before the probe:
    // before(record) tells whether a record lies before it.
    template <class Before>
    int partitionPoint(int first, int last, Before before) const;

    std::int32_t idCounter() const { return idCounter_; }
    void setIdCounter(std::int32_t value) { idCounter_ = value; }

private:
    const RecordLayout* layout_;
    // Owned buffers, held as plain pointers so that placing a record in the
    // middle moves the pointers behind it as one block copy.
    std::vector<std::uint8_t*> records_;
    std::int32_t idCounter_ = 0;
};

template <class Less>
void RecordList::sort(Less less, bool stable) {
    if (stable)
        std::stable_sort(records_.begin(), records_.end(), less);
    else
        std::sort(records_.begin(), records_.end(), less);
}

template <class Before>
int RecordList::partitionPoint(int first, int last, Before before) const {
    while (first < last) {
        int middle = first + (last - first) / 2;
        if (before(at(middle)))
            first = middle + 1;
        else
            last = middle;
    }
    return first;
}

}  // namespace vk
