#include "datalib/WholeFile.h"

#include <string>

#include "platform/FileSystem.h"

namespace vk {

std::string readFileText(std::string_view path) {
    auto in = platform::openFile(path, platform::FileMode::OpenRead);
    std::string text(static_cast<std::size_t>(in->size()), '\0');
    in->readExact(text.data(), text.size());
    return text;
}

void writeFile(std::string_view path, const std::function<void(Stream&)>& fill) {
    auto out = platform::openFile(path, platform::FileMode::Create);
    try {
        fill(*out);
    } catch (...) {
        out.reset();  // closed first: an open file cannot be deleted on Windows
        platform::deleteFile(path);
        throw;
    }
}

}  // namespace vk
