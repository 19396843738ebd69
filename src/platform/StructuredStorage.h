#pragma once
// Structured storage: a compound file whose root storage holds named streams
// (the connection files). Only the root storage is used.
//
// Both backends open files with exclusive sharing: while a storage is open,
// a second opening of the same file fails, and so does a second opening of
// a stream that is already open. Writes reach the file at the latest when the
// storage and every stream opened from it are released; commit() does it at
// once and is the place where a failure to save can still be reported.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Stream.h"

namespace vk::platform {

enum class StorageAccess { Read, ReadWrite };

struct StorageElement {
    std::string name;   // UTF-8
    bool isStorage = false;
    std::uint64_t size = 0;
};

class StructuredStorage {
public:
    virtual ~StructuredStorage() = default;

    // The stream of that name under the root, at byte 0, writable when the
    // storage is; nullptr when there is no such stream. Other failures throw
    // Error with the system's message.
    virtual std::unique_ptr<Stream> openStream(std::string_view name) = 0;
    // A new empty stream; an existing stream of that name is emptied
    // (STGM_CREATE). Throws Error on a read-only storage.
    virtual std::unique_ptr<Stream> createStream(std::string_view name) = 0;
    // The elements directly under the root, in the file's order.
    virtual std::vector<StorageElement> elements() = 0;
    // Writes everything written so far to the file; throws Error on failure.
    virtual void commit() = 0;
};

// Opens an existing compound file (StgOpenStorage). nullptr only when the
// file does not exist; any other failure (locked, not a compound file,
// access denied) throws Error with the system's message and the path.
std::unique_ptr<StructuredStorage> openStorage(std::string_view path, StorageAccess access);
// Creates an empty compound file, replacing an existing one (StgCreateDocfile
// with STGM_CREATE), open for reading and writing. Failures throw Error.
std::unique_ptr<StructuredStorage> createStorage(std::string_view path);

}  // namespace vk::platform
