#pragma once
// TDataStream: a stream over one memo or blob value held in a blob manager.
//
// Read mode walks the page chain once when opened and refuses a chain that
// loops, names a missing page or holds a page whose Size is above the page
// size: such a value cannot be read correctly, so opening it throws Error.
//
// Write mode stores bytes from the position onward, filling each page to P
// bytes and reusing or appending pages along Next; after each write the chain
// ends where the writing stopped. The caller's owner stores the first page's
// ID in the record being edited.
//
// The stream holds its manager weakly: once the set is closed, or the record
// it was opened for is posted or cancelled, every call throws Error.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datalib/BlobManager.h"
#include "platform/Stream.h"

namespace vk {

class TDataStream final : public Stream {
public:
    // Receives the value's first page ID (0: no value) in write mode.
    using FirstPageSink = std::function<void(std::int32_t)>;

    // Read mode over the chain from firstPage (0: an empty value).
    static std::unique_ptr<TDataStream> openRead(const std::shared_ptr<TBlobManager>& manager,
                                                 std::int32_t firstPage, std::string name);
    // Write mode over the value whose old chain the caller has already deleted.
    static std::unique_ptr<TDataStream> openWrite(const std::shared_ptr<TBlobManager>& manager,
                                                  FirstPageSink storeFirstPage, std::string name);

    std::size_t read(void* buffer, std::size_t count) override;
    void write(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() override;
    // 0 deletes the chain (write mode); other sizes are ignored.
    void setSize(std::int64_t newSize) override;
    std::string name() const override { return name_; }

private:
    struct ChainPage {
        std::int32_t id;
        std::int64_t start;  // offset of its first byte in the value
    };

    TDataStream(const std::shared_ptr<TBlobManager>& manager, std::string name);
    TBlobManager& manager();
    void walkChain(std::int32_t firstPage);
    void truncateAfter(std::size_t pageIndex);

    std::weak_ptr<TBlobManager> manager_;
    std::uint64_t serial_;
    std::string name_;
    bool writable_ = false;
    FirstPageSink storeFirstPage_;
    std::vector<ChainPage> chain_;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;
};

}  // namespace vk
