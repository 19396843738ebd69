#include <functional>

#include "datalib/Szdd.h"
#include "platform/FileSystem.h"

namespace vk {

namespace {

// A half-written target must not pass for a good file.
void fileToFile(std::string_view from, std::string_view to, const std::function<void(Stream&, Stream&)>& work) {
    auto in = platform::openFile(from, platform::FileMode::OpenRead);
    auto out = platform::openFile(to, platform::FileMode::Create);
    try {
        work(*in, *out);
    } catch (...) {
        out.reset();  // closed first: an open file cannot be deleted on Windows
        platform::deleteFile(to);
        throw;
    }
}

}  // namespace

void expandFileOrCopy(std::string_view from, std::string_view to) {
    fileToFile(from, to, [](Stream& in, Stream& out) { expandOrCopy(in, out); });
}

void szddCompressFile(std::string_view from, std::string_view to, char missingChar) {
    fileToFile(from, to, [missingChar](Stream& in, Stream& out) { szddCompress(in, out, missingChar); });
}

}  // namespace vk
