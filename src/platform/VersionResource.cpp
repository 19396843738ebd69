#include "platform/VersionResource.h"

#include "platform/Error.h"
#include "platform/LittleEndian.h"
#include "platform/Text.h"

namespace vk::platform {

namespace {

constexpr std::size_t kBlockHeaderSize = 6;  // wLength, wValueLength, wType
constexpr std::uint16_t kTextValue = 1;

std::size_t align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

// One block of the resource; every offset lies within [begin, end).
struct Block {
    std::size_t end = 0;
    std::string key;
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
    std::size_t childrenBegin = 0;
};

class VersionReader {
public:
    VersionReader(const std::vector<std::uint8_t>& bytes, const std::string& source)
        : bytes_(bytes), source_(source) {}

    // The block at offset, which must end no later than limit.
    Block block(std::size_t offset, std::size_t limit) const {
        if (limit - offset < kBlockHeaderSize) fail("block header runs past its parent");
        const std::uint8_t* header = bytes_.data() + offset;
        const std::size_t length = loadLe16(header);
        const std::size_t valueLength = loadLe16(header + 2);
        const bool text = loadLe16(header + 4) == kTextValue;
        if (length < kBlockHeaderSize || length > limit - offset) fail("block length runs past its parent");

        Block result;
        result.end = offset + length;
        std::size_t keyEnd = offset + kBlockHeaderSize;
        result.key = utf16Until(keyEnd, result.end, true);
        result.valueBegin = std::min(align4(keyEnd), result.end);
        // Text values are counted in characters by the resource compiler but in
        // bytes by some tools; either way the value stops at its block's end.
        const std::size_t valueBytes = text ? valueLength * 2 : valueLength;
        result.valueEnd = std::min(result.valueBegin + valueBytes, result.end);
        result.childrenBegin = std::min(align4(result.valueEnd), result.end);
        return result;
    }

    // The child of parent whose key matches; nullopt when none does.
    std::optional<Block> child(const Block& parent, std::string_view key) const {
        std::size_t offset = parent.childrenBegin;
        while (parent.end - offset >= kBlockHeaderSize) {
            Block candidate = block(offset, parent.end);
            if (sameText(candidate.key, key)) return candidate;
            offset = std::min(align4(candidate.end), parent.end);  // a block is at least its header: always advances
        }
        return std::nullopt;
    }

    std::string text(const Block& b) const {
        std::size_t offset = b.valueBegin;
        return utf16Until(offset, b.valueEnd, false);
    }

private:
    // UTF-16 text from offset up to a NUL (required when terminated) or limit;
    // offset moves past the NUL.
    std::string utf16Until(std::size_t& offset, std::size_t limit, bool terminated) const {
        std::u16string units;
        while (limit - offset >= 2) {
            const char16_t unit = loadLe16(bytes_.data() + offset);
            offset += 2;
            if (unit == 0) return convert(units);
            units.push_back(unit);
        }
        if (terminated) fail("key without its terminating NUL");
        return convert(units);
    }

    std::string convert(const std::u16string& units) const {
        try {
            return fromUtf16(units);
        } catch (const Error&) {
            fail("text is not valid UTF-16");
        }
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw Error(source_ + ": damaged version resource: " + what);
    }

    const std::vector<std::uint8_t>& bytes_;
    const std::string& source_;
};

}  // namespace

std::optional<std::string> findVersionString(const std::vector<std::uint8_t>& resource, std::string_view table,
                                             std::string_view key, const std::string& source) {
    const VersionReader reader(resource, source);
    const Block root = reader.block(0, resource.size());
    if (root.key != "VS_VERSION_INFO") throw Error(source + ": damaged version resource: no VS_VERSION_INFO");
    const auto strings = reader.child(root, "StringFileInfo");
    if (!strings) return std::nullopt;
    const auto stringTable = reader.child(*strings, table);
    if (!stringTable) return std::nullopt;
    const auto value = reader.child(*stringTable, key);
    if (!value) return std::nullopt;
    return reader.text(*value);
}

}  // namespace vk::platform
