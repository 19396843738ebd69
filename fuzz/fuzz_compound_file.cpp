// Compound file reader: any image must parse or fail with Error, and what
// parses must write back to an image that parses to the same streams.
#include <cstdint>
#include <cstdlib>

#include "platform/CompoundFile.h"
#include "platform/Error.h"

namespace {

bool sameTree(const vk::platform::CompoundEntry& a, const vk::platform::CompoundEntry& b) {
    if (a.name != b.name || a.isStorage != b.isStorage || a.data != b.data || a.children.size() != b.children.size())
        return false;
    for (std::size_t i = 0; i < a.children.size(); ++i)
        if (!sameTree(*a.children[i], *b.children[i])) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vk::platform::CompoundFile;
    try {
        CompoundFile file = CompoundFile::parse({data, size}, "fuzz.dbx");
        CompoundFile again = CompoundFile::parse(file.serialize(), "rewritten.dbx");
        if (!sameTree(file.root(), again.root())) std::abort();
    } catch (const vk::Error&) {
    }
    return 0;
}
