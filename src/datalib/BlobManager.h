#pragma once
// The pages that hold a static set's memo and blob values. The manager is a
// record list of its own, indexed on ID, with four fields:
//   ID (integer)   page key from the manager's own key counter (keys start at 1)
//   Size (integer) payload bytes used, 0..P; null in a page that never got bytes
//   Next (integer) ID of the following page of the same value; null in the last
//   Data (string of size P) P payload bytes and one insignificant byte
// where P = max(32, BlobPageSize). A value is the first Size bytes of each
// page along the Next chain from the page its record's sector names.
//
// Every change is logged until the owning record is posted (commit) or
// cancelled (revert), so a memo change takes effect only with its record.
#include <cstdint>
#include <optional>
#include <vector>

#include "datalib/RecordIndex.h"
#include "datalib/RecordLayout.h"
#include "datalib/RecordList.h"

namespace vk {

struct BlobPage {
    std::int32_t id = 0;
    std::optional<std::int32_t> size;  // null in a page that never received bytes
    std::int32_t next = 0;             // 0 when null: the last page
    const std::uint8_t* data = nullptr;
};

class TBlobManager {
public:
    explicit TBlobManager(int blobPageSize);
    TBlobManager(const TBlobManager&) = delete;
    TBlobManager& operator=(const TBlobManager&) = delete;

    std::uint32_t pageSize() const { return pageSize_; }
    const RecordLayout& layout() const { return layout_; }
    RecordList& pages() { return pages_; }
    const RecordList& pages() const { return pages_; }
    int pageCount() const { return pages_.size(); }
    std::int32_t keyCounter() const { return keyCounter_; }
    void setKeyCounter(std::int32_t value) { keyCounter_ = value; }

    std::optional<BlobPage> page(std::int32_t id) const;

    // --- logged changes
    // A new empty page (Size and Next null) with a fresh ID; returns the ID.
    std::int32_t appendPage();
    // Stores count bytes at offset (offset + count <= P) and sets Size to offset + count.
    void writePage(std::int32_t id, std::uint32_t offset, const std::uint8_t* bytes, std::uint32_t count);
    // next == 0 clears the link.
    void setNext(std::int32_t id, std::int32_t next);
    // Deletes the pages along a chain; stops at a missing page or where the chain loops.
    void deleteChain(std::int32_t first);

    bool hasPendingChanges() const { return !log_.empty(); }
    void commit();
    void revert();
    // Changes with every commit and revert: a blob stream opened for one edit
    // is not used after it.
    std::uint64_t serial() const { return serial_; }

    // --- loading
    void clear();
    // Orders loaded pages by ID and lifts the key counter above every stored
    // ID, so that a new page never shares its ID with a loaded one.
    void pagesLoaded();

private:
    enum class ChangeKind { Inserted, Deleted, Edited };
    struct Change {
        ChangeKind kind;
        RecordBuffer image;  // the page as it was (Deleted, Edited) or as inserted (its identity)
    };

    int position(std::int32_t id) const;  // of the leftmost page with that ID, -1 when none
    int positionOf(const std::uint8_t* image) const;  // of the page with that image's ID and identity
    std::uint8_t* editablePage(std::int32_t id);  // logs its former content
    void placePage(RecordBuffer page);

    std::uint32_t pageSize_;
    RecordLayout layout_;
    RecordList pages_;
    RecordComparer byId_;
    std::int32_t keyCounter_ = 0;
    std::vector<Change> log_;
    std::uint64_t serial_ = 0;
};

}  // namespace vk
