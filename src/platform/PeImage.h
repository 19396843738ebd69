#pragma once
// A reader of Windows PE images (PE32 and PE32+): the resource directory and
// the version resource. It reads through seeks on the stream and never loads
// the whole image, so an installer carrying a large RCDATA payload costs only
// the few headers it touches.
//
// The image is untrusted: every offset, size and name is checked against the
// stream, the resource tree is walked with a depth limit and a visited set,
// and a damaged image throws vk::Error naming the stream and what is wrong.
// "Not there" (no such resource, no such value) is not an error: nullopt.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Stream.h"

namespace vk::platform {

// Resource types as Windows numbers them.
constexpr std::uint16_t kResourceTypeRcData = 10;   // RT_RCDATA
constexpr std::uint16_t kResourceTypeVersion = 16;  // RT_VERSION

// A resource type or name: an integer ID or a string. String names match
// without regard to case, as FindResource matches them.
class ResourceId {
public:
    ResourceId(std::uint16_t id) : id_(id) {}                    // NOLINT: IDs read naturally as numbers
    ResourceId(std::string_view name) : name_(name), isName_(true) {}  // UTF-8
    ResourceId(const char* name) : ResourceId(std::string_view(name)) {}

    bool isName() const { return isName_; }
    std::uint16_t id() const { return id_; }
    const std::string& name() const { return name_; }
    // "#10" for an ID, the name itself otherwise (for messages).
    std::string display() const;

private:
    std::uint16_t id_ = 0;
    std::string name_;
    bool isName_ = false;
};

// Where a resource's bytes lie in the image file.
struct ResourceLocation {
    std::int64_t offset = 0;   // file offset, already mapped from its RVA
    std::uint32_t size = 0;    // guaranteed to lie within the stream
};

class PeImage {
public:
    // Reads and checks the DOS header, the PE header and the section table;
    // the stream must outlive the PeImage. Throws Error for anything but a PE image.
    explicit PeImage(Stream& image);

    bool is64Bit() const { return is64Bit_; }

    // The first language of resource type/name; nullopt when absent.
    std::optional<ResourceLocation> findResource(const ResourceId& type, const ResourceId& name);

    // The bytes of a resource, for small ones (a version resource, a manifest);
    // sizes above maxSize throw instead of allocating.
    std::vector<std::uint8_t> readResource(const ResourceLocation& where,
                                           std::uint32_t maxSize = 1024 * 1024);

    // A value of the version resource's string table (for example table
    // "040904E4", key "FileDescription"); nullopt when the image has no
    // version resource, no such table or no such key.
    std::optional<std::string> versionString(std::string_view table, std::string_view key);

private:
    struct Section {
        std::uint32_t virtualAddress;
        std::uint32_t virtualSize;
        std::uint32_t rawOffset;
        std::uint32_t rawSize;
    };
    // Where an RVA lies in the file and how many bytes of its section follow it there.
    struct Mapped {
        std::int64_t offset;
        std::int64_t available;
    };

    void readHeaders();
    std::optional<Mapped> map(std::uint32_t rva) const;
    std::int64_t fileOffsetOf(std::uint32_t rva, std::uint32_t size, const char* what) const;
    void requireInFile(std::int64_t offset, std::size_t size, const char* what) const;
    void readAt(std::int64_t offset, void* buffer, std::size_t size, const char* what);
    // The OffsetToData field of the entry of directory (an offset into the
    // resource area) that matches id, or of its first entry without an id.
    std::optional<std::uint32_t> findEntry(std::uint32_t directory, const ResourceId* id, const char* level);
    std::string entryName(std::uint32_t nameOffset);
    std::uint32_t subdirectory(std::uint32_t entry, const char* level) const;
    [[noreturn]] void fail(const std::string& what) const;

    Stream& image_;
    std::int64_t imageSize_ = 0;
    bool is64Bit_ = false;
    std::vector<Section> sections_;
    // The resource directory's file offset and the bytes of its section from there on.
    std::optional<Mapped> resources_;
    std::vector<std::uint32_t> visitedDirectories_;
};

// A read-only window onto the RCDATA resource `name` of the image, which it
// takes over, named streamName; nullptr when the image has no such resource.
// The payload is read this way: far too large to copy.
std::unique_ptr<Stream> rcDataResource(std::unique_ptr<Stream> image, const ResourceId& name, std::string streamName);

}  // namespace vk::platform
