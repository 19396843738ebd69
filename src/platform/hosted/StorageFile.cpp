#include "platform/hosted/StorageFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/CompoundFile.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/hosted/AtomicFile.h"

namespace vk::platform::hosted {

namespace {

// The files that storages of this process hold open, for exclusive sharing.
class OpenFiles {
public:
    static std::filesystem::path claim(const std::filesystem::path& hostPath, const std::string& displayName) {
        std::filesystem::path key = std::filesystem::weakly_canonical(hostPath);
        std::lock_guard lock(mutex());
        if (!paths().insert(key).second) throw Error(displayName + ": the file is already in use");
        return key;
    }
    static void release(const std::filesystem::path& key) {
        std::lock_guard lock(mutex());
        paths().erase(key);
    }

private:
    static std::mutex& mutex() {
        static std::mutex instance;
        return instance;
    }
    static std::set<std::filesystem::path>& paths() {
        static std::set<std::filesystem::path> instance;
        return instance;
    }
};

// One open file, shared by its storage object and the streams opened from it;
// saved when the last of them lets go if it was not committed before.
class OpenStorage {
public:
    OpenStorage(const std::filesystem::path& hostPath, std::string displayName, bool readOnly)
        : hostPath_(hostPath),
          displayName_(std::move(displayName)),
          readOnly_(readOnly),
          lockKey_(OpenFiles::claim(hostPath, displayName_)) {}
    ~OpenStorage() {
        try {
            commit();
        } catch (const Error&) {
            // Nobody is left to tell; callers that must know call commit().
        }
        OpenFiles::release(lockKey_);
    }
    OpenStorage(const OpenStorage&) = delete;
    OpenStorage& operator=(const OpenStorage&) = delete;

    CompoundFile file;

    const std::string& displayName() const { return displayName_; }
    bool readOnly() const { return readOnly_; }
    void touch() { dirty_ = true; }

    void commit() {
        if (!dirty_) return;
        std::vector<std::uint8_t> image = file.serialize();
        replaceHostFile(hostPath_, displayName_, [&](Stream& out) { out.write(image.data(), image.size()); },
                        Durability::Flushed);
        dirty_ = false;
    }

    void requireWritable() const {
        if (readOnly_) throw Error(displayName_ + ": the file is open for reading only");
    }

    // Streams are opened exclusively, as the system's structured storage does.
    void claimStream(const CompoundEntry* entry, std::string_view name) {
        requireClosed(entry, name);
        openStreams_.insert(entry);
    }
    void requireClosed(const CompoundEntry* entry, std::string_view name) const {
        if (openStreams_.count(entry))
            throw Error(displayName_ + ": the stream \"" + std::string(name) + "\" is already open");
    }
    void releaseStream(const CompoundEntry* entry) { openStreams_.erase(entry); }

private:
    std::filesystem::path hostPath_;
    std::string displayName_;
    bool readOnly_;
    std::filesystem::path lockKey_;
    bool dirty_ = false;
    std::set<const CompoundEntry*> openStreams_;
};

class StorageStream final : public Stream {
public:
    StorageStream(std::shared_ptr<OpenStorage> storage, CompoundEntry& entry, std::string_view name)
        : storage_(std::move(storage)), entry_(entry), name_(storage_->displayName() + ":" + std::string(name)) {
        storage_->claimStream(&entry_, name);
    }
    ~StorageStream() override { storage_->releaseStream(&entry_); }

    std::size_t read(void* buffer, std::size_t count) override {
        const auto& data = entry_.data;
        if (position_ >= data.size()) return 0;
        std::size_t n = std::min(count, data.size() - position_);
        std::memcpy(buffer, data.data() + position_, n);
        position_ += n;
        return n;
    }

    void write(const void* buffer, std::size_t count) override {
        storage_->requireWritable();
        if (count == 0) return;
        auto& data = entry_.data;
        if (position_ + count > data.size()) data.resize(position_ + count);
        std::memcpy(data.data() + position_, buffer, count);
        position_ += count;
        storage_->touch();
    }

    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override {
        std::int64_t base = origin == SeekOrigin::Begin     ? 0
                            : origin == SeekOrigin::Current ? static_cast<std::int64_t>(position_)
                                                            : size();
        if (base + offset < 0) throw Error(name_ + ": seek before the beginning");
        position_ = static_cast<std::size_t>(base + offset);
        return base + offset;
    }

    std::int64_t size() override { return static_cast<std::int64_t>(entry_.data.size()); }

    void setSize(std::int64_t newSize) override {
        storage_->requireWritable();
        if (newSize < 0) throw Error(name_ + ": negative size");
        entry_.data.resize(static_cast<std::size_t>(newSize));
        storage_->touch();
    }

    std::string name() const override { return name_; }

private:
    std::shared_ptr<OpenStorage> storage_;
    CompoundEntry& entry_;
    std::string name_;
    std::size_t position_ = 0;
};

class HostedStorage final : public StructuredStorage {
public:
    explicit HostedStorage(std::shared_ptr<OpenStorage> storage) : storage_(std::move(storage)) {}

    std::unique_ptr<Stream> openStream(std::string_view name) override {
        CompoundEntry* entry = CompoundFile::find(storage_->file.root(), toUtf16(name));
        if (!entry || entry->isStorage) return nullptr;
        return std::make_unique<StorageStream>(storage_, *entry, name);
    }

    std::unique_ptr<Stream> createStream(std::string_view name) override {
        storage_->requireWritable();
        CompoundEntry* existing = CompoundFile::find(storage_->file.root(), toUtf16(name));
        if (existing) storage_->requireClosed(existing, name);
        CompoundEntry* entry;
        try {
            entry = &CompoundFile::createStream(storage_->file.root(), toUtf16(name));
        } catch (const Error& e) {
            throw Error(storage_->displayName() + ": " + e.what());
        }
        storage_->touch();
        return std::make_unique<StorageStream>(storage_, *entry, name);
    }

    std::vector<StorageElement> elements() override {
        std::vector<StorageElement> found;
        for (const auto& child : storage_->file.root().children)
            found.push_back({fromUtf16(child->name), child->isStorage, child->data.size()});
        return found;
    }

    void commit() override { storage_->commit(); }

private:
    std::shared_ptr<OpenStorage> storage_;
};

}  // namespace

std::unique_ptr<StructuredStorage> openStorageFile(const std::filesystem::path& hostPath, const std::string& displayName,
                                                   StorageAccess access) {
    bool readOnly = access == StorageAccess::Read;
    std::error_code error;
    if (!std::filesystem::exists(hostPath, error) && !error) return nullptr;
    if (!readOnly && ::access(hostPath.c_str(), W_OK) != 0) throw Error(displayName + ": " + std::strerror(errno));
    auto storage = std::make_shared<OpenStorage>(hostPath, displayName, readOnly);
    std::string bytes = readWholeFile(hostPath);
    storage->file = CompoundFile::parse({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, displayName);
    return std::make_unique<HostedStorage>(std::move(storage));
}

std::unique_ptr<StructuredStorage> createStorageFile(const std::filesystem::path& hostPath,
                                                     const std::string& displayName) {
    auto storage = std::make_shared<OpenStorage>(hostPath, displayName, false);
    storage->touch();
    storage->commit();
    return std::make_unique<HostedStorage>(std::move(storage));
}

}  // namespace vk::platform::hosted
