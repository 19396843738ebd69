#pragma once
// TStaticSet: a table that lives entirely in memory, read and written through
// the dataset interface, with a sorted index over named fields, key lookup,
// key ranges, automatic keys, paged memo storage and persistence as a static
// set stream, on its own in a file or as one stream of a container.
//
// Records are fixed-size buffers laid out by RecordLayout. The list is kept
// in key order when IndexFieldNames names fields (or Sorted is set with an
// OnCompareRecords handler); otherwise records stay where they were inserted.
// Equal keys keep creation order. FindKey and placement after Post are
// binary searches.
//
// Not supported: calculated and lookup fields, cached updates, master-detail
// linking, SQL generation, text filters (every record of the range is
// visible) and the additional named indexes.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "datalib/BlobManager.h"
#include "datalib/DataSet.h"
#include "datalib/RecordIndex.h"
#include "datalib/RecordLayout.h"
#include "datalib/RecordList.h"

namespace vk {

class StaticSetContainer;

// The set's options, in the framework's bit order. Of these the set acts on
// sdoKeepDataInFile (with a FileName: load on open, save on close when
// modified), sdoForceEditMode (assigning a value on a browsing set starts an
// edit) and sdoForceUpdates (save to the container after every post).
enum StaticDataOption : std::uint32_t {
    sdoUseTransaction = 1u << 0,
    sdoKeepDataInFile = 1u << 1,
    sdoBackupUpdates = 1u << 2,
    sdoCheckMaster = 1u << 3,
    sdoForceEditMode = 1u << 4,
    sdoValidateFields = 1u << 5,
    sdoLeaveDeletedRecords = 1u << 6,
    sdoUseCalcFields = 1u << 7,
    sdoForceUpdates = 1u << 8,
    sdoCheckStructure = 1u << 9,
    sdoAutoFetch = 1u << 10,
    sdoCalcRecNoOnFilter = 1u << 11,
    sdoSynchronization = 1u << 12,
};
using StaticDataOptions = std::uint32_t;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// One value of a key for FindKey and SetRange; converted to its key field's
// type as the field accessors convert.
class KeyValue {
public:
    KeyValue(int value) : value_(std::int64_t{value}) {}
    KeyValue(std::int64_t value) : value_(value) {}
    KeyValue(double value) : value_(value) {}
    KeyValue(bool value) : value_(value) {}
    KeyValue(const char* value) : value_(std::string(value)) {}
    KeyValue(std::string_view value) : value_(std::string(value)) {}
    KeyValue(std::string value) : value_(std::move(value)) {}
    const std::variant<std::int64_t, double, bool, std::string>& value() const { return value_; }

private:
    std::variant<std::int64_t, double, bool, std::string> value_;
};

class TStaticSet : public DataSet {
public:
    // Orders two records (their buffers, laid out by layout()) when Sorted is set.
    using CompareRecordsHandler = std::function<int(const std::uint8_t* record1, const std::uint8_t* record2)>;
    using GenerateKeyHandler = std::function<std::int32_t()>;
    using NewRecordHandler = std::function<void(TStaticSet&)>;

    explicit TStaticSet(std::string name = {});
    // Closes the set (saving it when modified) and detaches it from its
    // container; failures of that last save cannot be reported and are dropped.
    ~TStaticSet() override;
    TStaticSet(const TStaticSet&) = delete;
    TStaticSet& operator=(const TStaticSet&) = delete;

    // --- definition (on a closed set)
    void addField(FieldDef def, BooleanStyle style = BooleanStyle::Word);
    void clearFields();
    const RecordLayout& layout() const { return layout_; }
    const std::vector<FieldDef>& fieldDefs() const override { return layout_.fieldDefs(); }

    // --- properties
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string fileName) { fileName_ = std::move(fileName); }
    // The name of the set's stream inside a container: FileName, else the name.
    const std::string& streamName() const { return fileName_.empty() ? name_ : fileName_; }
    StaticDataOptions options() const { return options_; }
    void setOptions(StaticDataOptions options) { options_ = options; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Payload bytes per memo page (at least 32 are used); takes effect when
    // the set's blob manager is next created.
    int blobPageSize() const { return blobPageSize_; }
    void setBlobPageSize(int size) { blobPageSize_ = size; }
    const std::string& indexFieldNames() const { return indexFieldNames_; }
    // Re-sorts an open set (cancelling its range) and keeps the cursor on the
    // same record; a name that matches no field throws and changes nothing.
    void setIndexFieldNames(std::string names);
    bool sorted() const { return sorted_; }
    void setSorted(bool sorted);
    void setOnCompareRecords(CompareRecordsHandler handler) { onCompareRecords_ = std::move(handler); }
    void setOnCompareSectors(CompareSectorsHandler handler);
    void setOnGenerateKey(GenerateKeyHandler handler) { onGenerateKey_ = std::move(handler); }
    void setOnNewRecord(NewRecordHandler handler) { onNewRecord_ = std::move(handler); }
    StaticSetContainer* fileStorage() const { return storage_; }
    // Detaches from the former container (which may save the set) and registers with the new one.
    void setFileStorage(StaticSetContainer* storage);

    // --- lifecycle
    void open();
    void close();
    bool active() const { return state_ != DataSetState::Inactive; }
    void setActive(bool active) { active ? open() : close(); }
    DataSetState state() const { return state_; }
    // Set by every post and delete; cleared on open, after saveToStream and on close.
    bool modified() const { return modified_; }
    void clearModified() { modified_ = false; }

    // --- navigation
    void first() override;
    void next() override;
    void prior() override;
    void last() override;
    bool eof() const override { return eof_; }
    bool bof() const override { return bof_; }
    // Records visible through the range.
    int recordCount() const override { return hi_ - lo_; }
    // Posts or cancels a pending edit and resynchronises the cursor.
    void refresh();

    // --- values of the current record (or of the record being edited)
    bool isNull(int field) const override;
    std::string asString(int field) const override;
    std::int64_t asInteger(int field) const override;
    double asFloat(int field) const;
    bool asBoolean(int field) const;
    std::vector<std::uint8_t> nativeValue(int field) const override;
    std::unique_ptr<Stream> openBlob(int field) override;

    // --- editing
    void append() override;
    void insert() override;
    void edit() override;
    void post() override;
    void cancel() override;
    void remove() override;
    void setString(int field, std::string_view value) override;
    void setInteger(int field, std::int64_t value) override;
    void setFloat(int field, double value);
    void setBoolean(int field, bool value);
    void setNull(int field) override;
    std::unique_ptr<Stream> openBlobForWrite(int field) override;

    // --- keys and ranges
    // The OnGenerateKey result, else KeyCounter + 1, which becomes the new KeyCounter.
    std::int32_t generateKey();
    std::int32_t keyCounter() const { return keyCounter_; }
    // The leftmost record whose leading key fields equal the values becomes
    // current; false (cursor unchanged) when there is none, it is outside the
    // range, the key list is empty or Sorted is set.
    bool findKey(const std::vector<KeyValue>& values);
    void setRange(const std::vector<KeyValue>& values) { setRange(values, values); }
    void setRange(const std::vector<KeyValue>& low, const std::vector<KeyValue>& high);
    void cancelRange();
    // Removes every visible record without marking the set modified; their
    // memo pages stay in the blob manager.
    void emptyTable();

    // --- persistence (the static set stream)
    void saveToStream(Stream& stream);
    void loadFromStream(Stream& stream);
    void saveToFile(const std::string& fileName);
    // A missing file leaves the set unchanged.
    void loadFromFile(const std::string& fileName);

    bool hasBlobManager() const { return blobs_ != nullptr; }
    const TBlobManager* blobManager() const { return blobs_.get(); }
    std::int32_t recordIdCounter() const { return records_.idCounter(); }

private:
    struct Range {
        RecordBuffer low, high;
        int lowCount = 0, highCount = 0;
    };

    void checkActive() const;
    void checkWritable() const;
    void checkBrowseMode();
    int checkedField(int field) const;
    int blobField(int field) const;
    const std::uint8_t* activeRecord() const;
    std::uint8_t* editableRecord();
    void beginInsert(bool atEnd);
    void initNewRecord();

    bool ordered() const;
    int compareForOrder(const std::uint8_t* a, const std::uint8_t* b) const;
    void rebuildComparer(std::vector<KeySector> keys);
    void applyIndex();
    void reorder(std::vector<KeySector> keys);
    int placement(const std::uint8_t* record) const;
    void updateWindow();
    void placeCursor(int index);
    int indexOf(const std::uint8_t* record) const;
    RecordBuffer keyRecord(const std::vector<KeyValue>& values, int& count);

    TBlobManager& blobs();
    std::string valueName(int field) const;
    std::string readBlobBytes(int field);
    void writeBlobBytes(int field, std::string_view bytes);
    void discardRecords();
    void saveToStorage();
    std::int32_t currentRecordId() const;

    std::string name_;
    std::string fileName_;
    std::string loadedFrom_;
    StaticDataOptions options_ = sdoForceEditMode;
    bool readOnly_ = false;
    int blobPageSize_ = 64;
    std::string indexFieldNames_;
    bool sorted_ = false;
    CompareRecordsHandler onCompareRecords_;
    CompareSectorsHandler onCompareSectors_;
    GenerateKeyHandler onGenerateKey_;
    NewRecordHandler onNewRecord_;
    StaticSetContainer* storage_ = nullptr;

    RecordLayout layout_;
    RecordList records_{layout_};
    RecordComparer comparer_{layout_, {}, nullptr};
    std::shared_ptr<TBlobManager> blobs_;
    std::int32_t keyCounter_ = 0;
    bool modified_ = false;

    DataSetState state_ = DataSetState::Inactive;
    int current_ = -1;
    bool bof_ = true, eof_ = true;
    int lo_ = 0, hi_ = 0;  // visible window [lo_, hi_)
    std::optional<Range> range_;
    RecordBuffer editBuffer_;
    int insertAt_ = -1;  // Insert: before this position; Append: -1, at the end
    bool editChanged_ = false;
};

}  // namespace vk
