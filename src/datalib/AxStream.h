#pragma once
// The storage streams: TStorage, the open root storage of one container file,
// and TAxStream, a stream object over one of its streams.
#include <memory>
#include <string>

#include "platform/Stream.h"
#include "platform/StructuredStorage.h"

namespace vk {

// A compound-file stream that remembers its name. Every call goes to the
// stream; a failing call raises the platform's Error.
class TAxStream final : public Stream {
public:
    TAxStream(std::unique_ptr<Stream> stream, std::string streamName)
        : stream_(std::move(stream)), streamName_(std::move(streamName)) {}

    const std::string& streamName() const { return streamName_; }

    std::size_t read(void* buffer, std::size_t count) override { return stream_->read(buffer, count); }
    void write(const void* buffer, std::size_t count) override { stream_->write(buffer, count); }
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override { return stream_->seek(offset, origin); }
    std::int64_t size() override { return stream_->size(); }
    void setSize(std::int64_t newSize) override { stream_->setSize(newSize); }
    std::string name() const override { return stream_->name(); }

private:
    std::unique_ptr<Stream> stream_;
    std::string streamName_;
};

// The root storage of an opened container file, or none when the file does
// not exist and was opened read-only.
class TStorage {
public:
    TStorage(std::unique_ptr<platform::StructuredStorage> root, bool readOnly)
        : root_(std::move(root)), readOnly_(readOnly) {}

    bool readOnly() const { return readOnly_; }
    bool hasRoot() const { return root_ != nullptr; }

    // The named stream at byte 0. A missing stream is created empty when
    // create is set and the storage is writable; otherwise the result is
    // nullptr. Without a root: Error "Файл не существует".
    std::unique_ptr<TAxStream> openStream(const std::string& name, bool create);
    // Writes the file now, so that a failure is reported (releasing commits too).
    void commit();

private:
    std::unique_ptr<platform::StructuredStorage> root_;
    bool readOnly_;
};

}  // namespace vk
