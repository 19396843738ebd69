#include "datalib/WholeFile.h"

#include <string>

#include "platform/Error.h"
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

void writeFileReplacing(std::string_view path, const std::function<void(Stream&)>& fill) {
    const std::string part = std::string(path) + ".part";
    writeFile(part, fill);
    if (!platform::moveFile(part, path)) {
        platform::deleteFile(part);
        throw Error(std::string(path) + ": cannot be replaced by the new file " + part);
    }
}

}  // namespace vk
