#pragma once
// TFileStorage: keeps several static sets in one compound file, one stream
// per set named after the set's FileName, else its name. Streams of other
// names are never read or touched.
//
// The file is opened once per batch: AcquireFile opens it when the use count
// is 0 and ReleaseFile closes it (committing every write) when the count
// drops back to 0; nested loads and saves share that opening. A missing file
// is created in read-write mode; read-only mode creates nothing, and using a
// stream of a missing file raises "Файл не существует". Every other failure
// of the structured storage raises an Error with the system's message.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datalib/AxStream.h"
#include "datalib/StaticSet.h"
#include "datalib/StaticSetContainer.h"

namespace vk {

class TFileStorage : public StaticSetContainer {
public:
    using GetFileNameHandler = std::function<void(TFileStorage& sender, std::string& fileName)>;
    using StaticSetHandler = std::function<void(TFileStorage& sender, Stream& stream, TStaticSet& set)>;
    using DataHandler = std::function<void(TFileStorage& sender, TAxStream& stream, int index)>;

    TFileStorage() = default;
    // Unregisters every set, first one first (which may save sets);
    // failures of those saves cannot be reported and are dropped.
    ~TFileStorage() override;
    TFileStorage(const TFileStorage&) = delete;
    TFileStorage& operator=(const TFileStorage&) = delete;

    // The container file: the stored name after OnGetFileName has had its say.
    std::string fileName();
    void setFileName(std::string fileName) { fileName_ = std::move(fileName); }
    const std::string& storedFileName() const { return fileName_; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Kept with the component; nothing here reads it.
    std::vector<std::string> streams;

    void setOnGetFileName(GetFileNameHandler handler) { onGetFileName_ = std::move(handler); }
    // When set, they replace the set's own LoadFromStream / SaveToStream.
    void setOnLoadStaticSet(StaticSetHandler handler) { onLoadStaticSet_ = std::move(handler); }
    void setOnSaveStaticSet(StaticSetHandler handler) { onSaveStaticSet_ = std::move(handler); }
    // Kept for the component's users; nothing here fires them.
    void setOnLoadData(DataHandler handler) { onLoadData_ = std::move(handler); }
    void setOnSaveData(DataHandler handler) { onSaveData_ = std::move(handler); }

    // The registered sets, in the order they were attached.
    std::vector<TStaticSet*> sets() const;
    bool openedByContainer(const TStaticSet& set) const;
    int useCount() const { return useCount_; }
    // The open file while the use count is above 0; nullptr when there is
    // none or FileName was empty.
    TStorage* openedFile() const { return file_.get(); }

    void acquireFile();
    void releaseFile();

    void loadStaticSet(TStaticSet& set, const std::string& streamName);
    void saveStaticSet(TStaticSet& set, const std::string& streamName);
    void loadSets();
    void saveSets();

    // StaticSetContainer: the set's side of attaching and detaching.
    bool hasFile() override { return !fileName().empty(); }
    void loadStaticSet(TStaticSet& set) override { loadStaticSet(set, set.streamName()); }
    void saveStaticSet(TStaticSet& set) override { saveStaticSet(set, set.streamName()); }
    void registerSet(TStaticSet& set) override;
    void unregisterSet(TStaticSet& set) override;

private:
    struct Registered {
        TStaticSet* set;
        bool openedByContainer;
    };

    Registered* findRegistered(const TStaticSet& set);
    void openFile();
    // Runs work inside one opening of the file; the file is released on every path.
    template <typename Work>
    void withFile(Work work);
    // Runs use on the named stream of the open file, if there is one.
    template <typename Use>
    void withSetStream(const std::string& streamName, Use use);
    // Releases after a failure, keeping the failure that is under way.
    void releaseAfterFailure() noexcept;

    std::string fileName_;
    bool readOnly_ = false;
    std::vector<Registered> sets_;
    int useCount_ = 0;
    std::unique_ptr<TStorage> file_;
    GetFileNameHandler onGetFileName_;
    StaticSetHandler onLoadStaticSet_;
    StaticSetHandler onSaveStaticSet_;
    DataHandler onLoadData_;
    DataHandler onSaveData_;
};

}  // namespace vk
