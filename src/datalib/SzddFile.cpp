#include "datalib/WholeFile.h"
#include "datalib/Szdd.h"
#include "platform/FileSystem.h"

namespace vk {

void expandOrCopyToFile(Stream& in, std::string_view to) {
    writeFile(to, [&in](Stream& out) { expandOrCopy(in, out); });
}

void expandFileOrCopy(std::string_view from, std::string_view to) {
    expandOrCopyToFile(*platform::openFile(from, platform::FileMode::OpenRead), to);
}

void szddCompressFile(std::string_view from, std::string_view to, char missingChar) {
    auto in = platform::openFile(from, platform::FileMode::OpenRead);
    writeFile(to, [&in, missingChar](Stream& out) { szddCompress(*in, out, missingChar); });
}

}  // namespace vk
