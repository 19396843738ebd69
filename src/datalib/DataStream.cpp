#include "datalib/DataStream.h"

#include <algorithm>
#include <cstring>

#include "platform/Error.h"

namespace vk {

TDataStream::TDataStream(const std::shared_ptr<TBlobManager>& manager, std::string name)
    : manager_(manager), serial_(manager->serial()), name_(std::move(name)) {}

std::unique_ptr<TDataStream> TDataStream::openRead(const std::shared_ptr<TBlobManager>& manager,
                                                   std::int32_t firstPage, std::string name) {
    std::unique_ptr<TDataStream> stream(new TDataStream(manager, std::move(name)));
    stream->walkChain(firstPage);
    return stream;
}

std::unique_ptr<TDataStream> TDataStream::openWrite(const std::shared_ptr<TBlobManager>& manager,
                                                    FirstPageSink storeFirstPage, std::string name) {
    std::unique_ptr<TDataStream> stream(new TDataStream(manager, std::move(name)));
    stream->writable_ = true;
    stream->storeFirstPage_ = std::move(storeFirstPage);
    return stream;
}

TBlobManager& TDataStream::manager() {
    auto manager = manager_.lock();
    if (!manager || (writable_ && manager->serial() != serial_))
        throw Error(name_ + ": the value's record is no longer open for this stream");
    return *manager;  // the set that owns the manager outlives this call
}

void TDataStream::walkChain(std::int32_t firstPage) {
    TBlobManager& pages = manager();
    // A chain cannot be longer than the pages there are; a longer walk loops.
    int remaining = pages.pageCount();
    for (std::int32_t id = firstPage; id != 0;) {
        auto page = pages.page(id);
        if (!page) throw Error(name_ + ": blob page " + std::to_string(id) + " is missing");
        if (remaining-- == 0) throw Error(name_ + ": the blob page chain loops at page " + std::to_string(id));
        std::int32_t used = page->size.value_or(0);
        if (used < 0 || static_cast<std::uint32_t>(used) > pages.pageSize())
            throw Error(name_ + ": blob page " + std::to_string(id) + " claims " + std::to_string(used) +
                        " bytes, more than its page size " + std::to_string(pages.pageSize()));
        chain_.push_back({id, size_});
        size_ += used;
        id = page->next;
    }
}

std::size_t TDataStream::read(void* buffer, std::size_t count) {
    TBlobManager& pages = manager();
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count && position_ < size_) {
        auto holder = std::upper_bound(chain_.begin(), chain_.end(), position_,
                                       [](std::int64_t at, const ChainPage& p) { return at < p.start; }) - 1;
        auto page = pages.page(holder->id);
        if (!page) throw Error(name_ + ": blob page " + std::to_string(holder->id) + " was removed while being read");
        std::int64_t pageEnd = (holder + 1 == chain_.end() ? size_ : (holder + 1)->start);
        auto take = static_cast<std::size_t>(std::min<std::int64_t>(pageEnd - position_, static_cast<std::int64_t>(count - done)));
        std::memcpy(out + done, page->data + (position_ - holder->start), take);
        done += take;
        position_ += static_cast<std::int64_t>(take);
    }
    return done;
}

void TDataStream::write(const void* buffer, std::size_t count) {
    if (!writable_) throw Error(name_ + ": the stream is open for reading only");
    TBlobManager& pages = manager();
    const std::int64_t pageSize = pages.pageSize();
    if (chain_.empty()) {
        chain_.push_back({pages.appendPage(), 0});
        storeFirstPage_(chain_.front().id);
    }
    if (count == 0) return;
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    auto pageIndex = static_cast<std::size_t>(position_ / pageSize);
    auto offset = static_cast<std::uint32_t>(position_ % pageSize);
    // A position at the end of a full last page continues in that page's successor.
    if (pageIndex == chain_.size()) --pageIndex, offset = static_cast<std::uint32_t>(pageSize);
    std::size_t done = 0;
    while (true) {
        if (offset == pageSize) {
            if (++pageIndex == chain_.size()) {
                std::int32_t id = pages.appendPage();
                pages.setNext(chain_.back().id, id);
                chain_.push_back({id, static_cast<std::int64_t>(pageIndex) * pageSize});
            }
            offset = 0;
        }
        auto take = static_cast<std::uint32_t>(std::min<std::size_t>(count - done, static_cast<std::size_t>(pageSize - offset)));
        pages.writePage(chain_[pageIndex].id, offset, in + done, take);
        done += take;
        offset += take;
        if (done == count) break;
    }
    position_ = static_cast<std::int64_t>(pageIndex) * pageSize + offset;
    size_ = position_;
    truncateAfter(pageIndex);
}

void TDataStream::truncateAfter(std::size_t pageIndex) {
    if (pageIndex + 1 >= chain_.size()) return;
    TBlobManager& pages = manager();
    pages.deleteChain(chain_[pageIndex + 1].id);
    pages.setNext(chain_[pageIndex].id, 0);
    chain_.resize(pageIndex + 1);
}

std::int64_t TDataStream::seek(std::int64_t offset, SeekOrigin origin) {
    manager();
    std::int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? position_ : size_;
    std::int64_t target = base + offset;
    if (target < 0) throw Error(name_ + ": seek before the beginning");
    if (writable_ && target > size_) throw Error(name_ + ": seek past the end of the value being written");
    position_ = target;
    return position_;
}

std::int64_t TDataStream::size() {
    manager();
    return size_;
}

void TDataStream::setSize(std::int64_t newSize) {
    if (!writable_) throw Error(name_ + ": the stream is open for reading only");
    if (newSize != 0) return;
    TBlobManager& pages = manager();
    if (!chain_.empty()) pages.deleteChain(chain_.front().id);
    chain_.clear();
    size_ = position_ = 0;
    storeFirstPage_(0);
}

}  // namespace vk
