#include "platform/CompoundFile.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/Text.h"

namespace vk::platform {

CompoundFile::CompoundFile() : root_(std::make_unique<CompoundEntry>()) {
    root_->name = u"Root Entry";
    root_->isStorage = true;
}

CompoundEntry* CompoundFile::find(CompoundEntry& storage, std::u16string_view name) {
    for (auto& child : storage.children)
        if (cfb::compareNames(child->name, name) == 0) return child.get();
    return nullptr;
}

CompoundEntry& CompoundFile::createStream(CompoundEntry& storage, std::u16string_view name) {
    if (CompoundEntry* existing = find(storage, name)) {
        if (existing->isStorage) throw Error("\"" + fromUtf16(name) + "\" names a storage, not a stream");
        existing->data.clear();
        return *existing;
    }
    return appendStream(storage, name);
}

CompoundEntry& CompoundFile::appendStream(CompoundEntry& storage, std::u16string_view name) {
    bool forbidden = std::any_of(name.begin(), name.end(), [](char16_t c) {
        return c == u'/' || c == u'\\' || c == u':' || c == u'!' || c == 0;
    });
    if (name.empty() || name.size() > cfb::kMaxNameChars || forbidden)
        throw Error("\"" + fromUtf16(name) + "\" cannot name a stream of a compound file");
    auto entry = std::make_unique<CompoundEntry>();
    entry->name = name;
    CompoundEntry& created = *entry;
    storage.children.push_back(std::move(entry));
    return created;
}

}  // namespace vk::platform
