#include "datalib/FileStorage.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/Program.h"

namespace vk {

namespace {

bool hasDirectoryPart(const std::string& path) { return path.find_first_of("\\/:") != std::string::npos; }

}  // namespace

TFileStorage::~TFileStorage() {
    while (!sets_.empty()) {
        try {
            unregisterSet(*sets_.front().set);
        } catch (const Error&) {
            // A set that cannot save while the container goes away still leaves it.
            TStaticSet* set = sets_.front().set;
            sets_.erase(sets_.begin());
            if (set->fileStorage() == this) set->setFileStorage(nullptr);
        }
    }
}

std::string TFileStorage::fileName() {
    std::string name = fileName_;
    if (onGetFileName_) onGetFileName_(*this, name);
    return name;
}

std::vector<TStaticSet*> TFileStorage::sets() const {
    std::vector<TStaticSet*> list;
    for (const Registered& entry : sets_) list.push_back(entry.set);
    return list;
}

bool TFileStorage::openedByContainer(const TStaticSet& set) const {
    for (const Registered& entry : sets_)
        if (entry.set == &set) return entry.openedByContainer;
    return false;
}

TFileStorage::Registered* TFileStorage::findRegistered(const TStaticSet& set) {
    auto found = std::find_if(sets_.begin(), sets_.end(), [&](const Registered& entry) { return entry.set == &set; });
    return found == sets_.end() ? nullptr : &*found;
}

// --- the file

void TFileStorage::openFile() {
    file_.reset();
    std::string name = fileName();
    if (name.empty()) return;
    if (!hasDirectoryPart(name)) name = platform::programFolder() + name;
    auto access = readOnly_ ? platform::StorageAccess::Read : platform::StorageAccess::ReadWrite;
    std::unique_ptr<platform::StructuredStorage> root = platform::openStorage(name, access);
    if (!root && !readOnly_) root = platform::createStorage(name);
    file_ = std::make_unique<TStorage>(std::move(root), readOnly_);
}

void TFileStorage::acquireFile() {
    if (useCount_ == 0) {
        try {
            openFile();
        } catch (...) {
            file_.reset();
            throw;
        }
    }
    ++useCount_;
}

void TFileStorage::releaseFile() {
    if (useCount_ == 0) return;
    if (--useCount_ > 0) return;
    std::unique_ptr<TStorage> closing = std::move(file_);
    if (closing) closing->commit();
}

void TFileStorage::releaseAfterFailure() noexcept {
    try {
        releaseFile();
    } catch (const Error&) {
        // The failure that brought us here is the one to report.
    }
}

template <typename Work>
void TFileStorage::withFile(Work work) {
    acquireFile();
    try {
        work();
    } catch (...) {
        releaseAfterFailure();
        throw;
    }
    releaseFile();
}

// --- one set

template <typename Use>
void TFileStorage::withSetStream(const std::string& streamName, Use use) {
    withFile([&] {
        if (!file_) return;
        std::unique_ptr<TAxStream> stream = file_->openStream(streamName, true);
        if (stream) use(*stream);
    });
}

void TFileStorage::loadStaticSet(TStaticSet& set, const std::string& streamName) {
    withSetStream(streamName, [&](TAxStream& stream) {
        if (onLoadStaticSet_) onLoadStaticSet_(*this, stream, set);
        else set.loadFromStream(stream);
    });
}

void TFileStorage::saveStaticSet(TStaticSet& set, const std::string& streamName) {
    // Written from byte 0 and not truncated: a shorter image leaves the old
    // tail behind it, which the reader skips after the announced sections.
    withSetStream(streamName, [&](TAxStream& stream) {
        if (onSaveStaticSet_) onSaveStaticSet_(*this, stream, set);
        else set.saveToStream(stream);
        set.clearModified();
    });
}

// --- every set

void TFileStorage::loadSets() {
    withFile([&] {
        for (std::size_t i = 0; i < sets_.size(); ++i) {
            TStaticSet& set = *sets_[i].set;
            if (set.active()) {
                sets_[i].openedByContainer = false;
                loadStaticSet(set, set.streamName());
                set.refresh();
            } else {
                sets_[i].openedByContainer = true;
                set.open();
            }
        }
    });
}

void TFileStorage::saveSets() {
    withFile([&] {
        for (std::size_t i = 0; i < sets_.size(); ++i) {
            TStaticSet& set = *sets_[i].set;
            bool opened = sets_[i].openedByContainer;
            sets_[i].openedByContainer = false;
            if (opened) set.close();
            else saveStaticSet(set, set.streamName());
        }
    });
}

// --- attaching

void TFileStorage::registerSet(TStaticSet& set) {
    if (findRegistered(set)) return;
    if (set.fileStorage() != this) {
        set.setFileStorage(this);  // comes back here with the set attached
        return;
    }
    sets_.push_back({&set, false});
    if (fileName_.empty()) return;
    if (set.active()) {
        loadStaticSet(set, set.streamName());
        set.refresh();
    } else {
        findRegistered(set)->openedByContainer = true;
        set.open();
    }
}

void TFileStorage::unregisterSet(TStaticSet& set) {
    Registered* entry = findRegistered(set);
    if (!entry) return;
    if (!fileName_.empty()) {
        if (entry->openedByContainer) {
            set.close();
        } else if (set.modified()) {
            saveStaticSet(set, set.streamName());
        }
        entry = findRegistered(set);
        if (entry) entry->openedByContainer = false;
    }
    sets_.erase(std::remove_if(sets_.begin(), sets_.end(), [&](const Registered& r) { return r.set == &set; }),
                sets_.end());
    if (set.fileStorage() == this) set.setFileStorage(nullptr);
}

}  // namespace vk
