#include "datalib/AxStream.h"

#include "platform/Error.h"

namespace vk {

std::unique_ptr<TAxStream> TStorage::openStream(const std::string& name, bool create) {
    if (!root_) throw Error("Файл не существует");
    std::unique_ptr<Stream> stream = root_->openStream(name);
    if (!stream) {
        if (!create || readOnly_) return nullptr;
        stream = root_->createStream(name);
    }
    stream->seek(0, SeekOrigin::Begin);
    return std::make_unique<TAxStream>(std::move(stream), name);
}

void TStorage::commit() {
    if (root_ && !readOnly_) root_->commit();
}

}  // namespace vk
