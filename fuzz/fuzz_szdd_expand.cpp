// Expansion of arbitrary bytes: a clean Error or output of exactly the
// header's length; anything else is copied whole. The same bytes, compressed,
// must also expand back to themselves.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "datalib/Szdd.h"
#include "platform/Error.h"

namespace {

// Counts what is written instead of keeping it, so large expansions stay cheap.
class CountingStream final : public vk::Stream {
public:
    std::size_t read(void*, std::size_t) override { return 0; }
    void write(const void*, std::size_t count) override { size_ += static_cast<std::int64_t>(count); }
    std::int64_t seek(std::int64_t, vk::SeekOrigin) override { return size_; }
    std::int64_t size() override { return size_; }
    void setSize(std::int64_t) override {}
    std::string name() const override { return "output"; }

private:
    std::int64_t size_ = 0;
};

}  // namespace

namespace {

void roundTrip(const std::uint8_t* data, std::size_t size) {
    vk::ByteViewStream plain(data, size, "fuzz");
    vk::MemoryStream packed;
    vk::szddCompress(plain, packed);
    packed.seek(0, vk::SeekOrigin::Begin);
    vk::MemoryStream expanded;
    vk::szddExpand(packed, expanded);
    if (expanded.bytes() != std::vector<std::uint8_t>(data, data + size)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    roundTrip(data, size);
    vk::ByteViewStream in(data, size, "fuzz.ex_");
    if (!vk::isSzdd(in)) {
        vk::MemoryStream copy;
        vk::expandOrCopy(in, copy);
        if (copy.bytes().size() != size) std::abort();
        return 0;
    }
    CountingStream out;
    try {
        vk::szddExpand(in, out);
    } catch (const vk::Error&) {
        return 0;
    }
    std::uint32_t expected = data[10] | (data[11] << 8) | (data[12] << 16) | (std::uint32_t{data[13]} << 24);
    if (out.size() != expected) std::abort();
    return 0;
}
