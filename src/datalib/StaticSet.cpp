#include "datalib/StaticSet.h"

#include <cstring>

#include "datalib/DataStream.h"
#include "datalib/FieldValues.h"
#include "platform/LittleEndian.h"
#include "datalib/StaticSetContainer.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk {

TStaticSet::TStaticSet(std::string name) : name_(std::move(name)) {}

TStaticSet::~TStaticSet() {
    try {
        close();
        setFileStorage(nullptr);
    } catch (const Error&) {
        // A destructor cannot report; the set was closed or detached as far as it got.
    }
}

// --- definition and properties

void TStaticSet::addField(FieldDef def, BooleanStyle style) {
    if (active()) throw Error(name_ + ": fields cannot change while the set is open");
    layout_.addField(std::move(def), style);
}

void TStaticSet::clearFields() {
    if (active()) throw Error(name_ + ": fields cannot change while the set is open");
    layout_.clear();
}

void TStaticSet::setFileStorage(StaticSetContainer* storage) {
    if (storage == storage_) return;
    if (storage_) storage_->unregisterSet(*this);
    storage_ = storage;
    if (storage_) storage_->registerSet(*this);
}

// --- lifecycle

void TStaticSet::open() {
    if (active()) return;
    if (layout_.sectorCount() == 0) throw Error(name_ + ": the set has no fields");
    auto keys = parseKeyList(layout_, indexFieldNames_);
    rebuildComparer(std::move(keys));
    // The key counter belongs to the record list: each opening numbers afresh
    // unless its load brings a stored counter.
    records_ = RecordList(layout_);
    keyCounter_ = 0;
    state_ = DataSetState::Browse;
    try {
        if (storage_ && storage_->hasFile())
            storage_->loadStaticSet(*this);
        else if ((options_ & sdoKeepDataInFile) && !fileName_.empty())
            loadFromFile(fileName_);
    } catch (...) {
        discardRecords();
        throw;
    }
    applyIndex();
    first();
    modified_ = false;
}

void TStaticSet::close() {
    if (!active()) return;
    cancel();
    // Saving comes first: when it fails, the set stays open with its data.
    if (modified_) saveToStorage();
    discardRecords();
}

void TStaticSet::saveToStorage() {
    if (storage_ && storage_->hasFile())
        storage_->saveStaticSet(*this);
    else if ((options_ & sdoKeepDataInFile) && !fileName_.empty())
        saveToFile(fileName_);
}

void TStaticSet::discardRecords() {
    records_.clear();
    blobs_.reset();
    range_.reset();
    editBuffer_.reset();
    state_ = DataSetState::Inactive;
    modified_ = false;
    lo_ = hi_ = 0;
    current_ = -1;
    bof_ = eof_ = true;
}

// --- checks

void TStaticSet::checkActive() const {
    if (!active()) throw Error(name_ + ": cannot perform this operation on a closed dataset");
}

void TStaticSet::checkWritable() const {
    checkActive();
    if (readOnly_) throwReadOnly();
}

void TStaticSet::checkBrowseMode() {
    checkActive();
    if (state_ == DataSetState::Browse) return;
    if (editChanged_)
        post();
    else
        cancel();
}

int TStaticSet::checkedField(int field) const {
    if (field < 0 || field >= layout_.sectorCount()) throw Error("Невозможно получить сектор по полю");
    return field;
}

int TStaticSet::blobField(int field) const {
    if (!isBlobType(layout_.sector(checkedField(field)).def.type))
        throw Error("Field '" + layout_.sector(field).def.name + "' is not a memo or blob field");
    return field;
}

const std::uint8_t* TStaticSet::activeRecord() const {
    checkActive();
    if (editBuffer_) return editBuffer_.get();
    if (current_ < 0) throw Error(name_ + ": no data");
    return records_.at(current_);
}

std::uint8_t* TStaticSet::editableRecord() {
    checkWritable();
    if (state_ == DataSetState::Browse) {
        if (!(options_ & sdoForceEditMode)) throw Error(name_ + ": dataset not in edit or insert mode");
        edit();
    }
    editChanged_ = true;
    return editBuffer_.get();
}

// --- navigation

void TStaticSet::placeCursor(int index) {
    if (lo_ >= hi_) {
        current_ = -1;
        bof_ = eof_ = true;
        return;
    }
    current_ = std::clamp(index, lo_, hi_ - 1);
    bof_ = eof_ = false;
}

void TStaticSet::first() {
    checkBrowseMode();
    placeCursor(lo_);
    bof_ = true;
}

void TStaticSet::last() {
    checkBrowseMode();
    placeCursor(hi_ - 1);
    eof_ = true;
}

void TStaticSet::next() {
    checkBrowseMode();
    if (current_ < 0) return;
    if (current_ + 1 < hi_) {
        ++current_;
        bof_ = false;
    } else {
        eof_ = true;
    }
}

void TStaticSet::prior() {
    checkBrowseMode();
    if (current_ < 0) return;
    if (current_ > lo_) {
        --current_;
        eof_ = false;
    } else {
        bof_ = true;
    }
}

void TStaticSet::refresh() {
    checkBrowseMode();
    placeCursor(current_ < 0 ? lo_ : current_);
}

// --- values

bool TStaticSet::isNull(int field) const { return layout_.isNull(activeRecord(), checkedField(field)); }

std::string TStaticSet::asString(int field) const {
    const std::uint8_t* record = activeRecord();
    if (!isBlobType(layout_.sector(checkedField(field)).def.type)) return sectorAsString(layout_, record, field);
    std::string bytes = const_cast<TStaticSet*>(this)->readBlobBytes(field);
    auto type = layout_.sector(field).def.type;
    return type == FieldType::Memo || type == FieldType::FmtMemo ? fromCp1251(bytes) : bytes;
}

std::int64_t TStaticSet::asInteger(int field) const {
    const std::uint8_t* record = activeRecord();
    if (isBlobType(layout_.sector(checkedField(field)).def.type))
        throw Error("Field '" + layout_.sector(field).def.name + "' cannot be read as an integer");
    return sectorAsInteger(layout_, record, field);
}

double TStaticSet::asFloat(int field) const { return sectorAsFloat(layout_, activeRecord(), checkedField(field)); }

bool TStaticSet::asBoolean(int field) const { return sectorAsBoolean(layout_, activeRecord(), checkedField(field)); }

std::vector<std::uint8_t> TStaticSet::nativeValue(int field) const {
    const std::uint8_t* record = activeRecord();
    const Sector& sector = layout_.sector(checkedField(field));
    if (nativeSize(sector.def.type) != sector.size)
        throw Error("Field '" + sector.def.name + "' has no fixed-size value");
    const std::uint8_t* value = layout_.value(record, field);
    return {value, value + sector.size};
}

// --- memo and blob values

TBlobManager& TStaticSet::blobs() {
    if (!blobs_) blobs_ = std::make_shared<TBlobManager>(blobPageSize_);
    return *blobs_;
}

std::string TStaticSet::valueName(int field) const {
    std::string text = name_ + "." + layout_.sector(field).def.name;
    if (!loadedFrom_.empty()) text += " (" + loadedFrom_ + ")";
    return text;
}

std::unique_ptr<Stream> TStaticSet::openBlob(int field) {
    const std::uint8_t* record = activeRecord();
    blobs();
    auto first = static_cast<std::int32_t>(sectorAsInteger(layout_, record, blobField(field)));
    return TDataStream::openRead(blobs_, first, valueName(field));
}

std::string TStaticSet::readBlobBytes(int field) {
    auto stream = openBlob(field);
    std::string bytes(static_cast<std::size_t>(stream->size()), '\0');
    stream->readExact(bytes.data(), bytes.size());
    return bytes;
}

std::unique_ptr<Stream> TStaticSet::openBlobForWrite(int field) {
    blobField(field);
    std::uint8_t* record = editableRecord();
    TBlobManager& pages = blobs();
    if (!layout_.isNull(record, field)) pages.deleteChain(loadLeInt32(layout_.value(record, field)));
    layout_.setNull(record, field);
    auto storeFirstPage = [this, field](std::int32_t id) {
        if (id == 0)
            layout_.setNull(editBuffer_.get(), field);
        else
            assignInteger(layout_, editBuffer_.get(), field, id);
        editChanged_ = true;
    };
    return TDataStream::openWrite(blobs_, storeFirstPage, valueName(field));
}

void TStaticSet::writeBlobBytes(int field, std::string_view bytes) {
    openBlobForWrite(field)->write(bytes.data(), bytes.size());
}

// --- editing

void TStaticSet::setString(int field, std::string_view value) {
    auto type = layout_.sector(checkedField(field)).def.type;
    if (!isBlobType(type)) return assignString(layout_, editableRecord(), field, value);
    writeBlobBytes(field, type == FieldType::Memo || type == FieldType::FmtMemo ? toCp1251(value) : std::string(value));
}

void TStaticSet::setInteger(int field, std::int64_t value) {
    if (isBlobType(layout_.sector(checkedField(field)).def.type)) return setString(field, std::to_string(value));
    assignInteger(layout_, editableRecord(), field, value);
}

void TStaticSet::setFloat(int field, double value) {
    if (isBlobType(layout_.sector(checkedField(field)).def.type))
        throw Error("Field '" + layout_.sector(field).def.name + "' cannot be assigned a number");
    assignFloat(layout_, editableRecord(), field, value);
}

void TStaticSet::setBoolean(int field, bool value) {
    if (isBlobType(layout_.sector(checkedField(field)).def.type))
        throw Error("Field '" + layout_.sector(field).def.name + "' cannot be assigned a boolean");
    assignBoolean(layout_, editableRecord(), field, value);
}

void TStaticSet::setNull(int field) {
    if (isBlobType(layout_.sector(checkedField(field)).def.type)) {
        openBlobForWrite(field);
        return;
    }
    layout_.setNull(editableRecord(), field);
}

std::int32_t TStaticSet::generateKey() {
    if (onGenerateKey_) return onGenerateKey_();
    keyCounter_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(keyCounter_) + 1u);
    return keyCounter_;
}

void TStaticSet::initNewRecord() {
    for (int i = 0; i < layout_.sectorCount(); ++i) {
        if (layout_.sector(i).def.type != FieldType::AutoInc) continue;
        if (std::int32_t key = generateKey()) assignInteger(layout_, editBuffer_.get(), i, key);
    }
    if (onNewRecord_) onNewRecord_(*this);
    editChanged_ = false;
}

void TStaticSet::beginInsert(bool atEnd) {
    checkWritable();
    checkBrowseMode();  // may post and so move the cursor: the place is taken after it
    insertAt_ = atEnd ? -1 : current_ < 0 ? hi_ : current_;
    editBuffer_ = records_.newRecord();
    state_ = DataSetState::Insert;
    initNewRecord();
}

void TStaticSet::insert() { beginInsert(false); }

void TStaticSet::append() { beginInsert(true); }

void TStaticSet::edit() {
    checkWritable();
    if (state_ != DataSetState::Browse) return;
    if (current_ < 0) return insert();  // editing an empty set inserts, as the framework does
    editBuffer_ = records_.copyOf(records_.at(current_));
    state_ = DataSetState::Edit;
    editChanged_ = false;
}

void TStaticSet::post() {
    checkActive();
    if (state_ == DataSetState::Browse) return;
    for (const Sector& sector : layout_.sectors()) {
        int index = static_cast<int>(&sector - layout_.sectors().data());
        if (sector.def.required && layout_.isNull(editBuffer_.get(), index))
            throw Error("Поле '" + sector.def.name + "' должно иметь значение");
    }
    RecordBuffer record;
    int at;
    if (state_ == DataSetState::Insert) {
        record = std::move(editBuffer_);
        at = insertAt_ < 0 ? records_.size() : std::min(insertAt_, records_.size());
    } else {
        at = current_;
        record = records_.take(at);
        std::memcpy(record.get(), editBuffer_.get(), layout_.bufferSize());
        editBuffer_.reset();
    }
    if (ordered()) at = placement(record.get());
    records_.insert(at, std::move(record));
    if (blobs_) blobs_->commit();
    state_ = DataSetState::Browse;
    modified_ = true;
    updateWindow();
    placeCursor(at);
    if ((options_ & sdoForceUpdates) && storage_ && storage_->hasFile()) storage_->saveStaticSet(*this);
}

void TStaticSet::cancel() {
    checkActive();
    if (state_ == DataSetState::Browse) return;
    if (blobs_) blobs_->revert();
    editBuffer_.reset();
    state_ = DataSetState::Browse;
    placeCursor(current_);
}

void TStaticSet::remove() {
    checkWritable();
    if (state_ == DataSetState::Insert) return cancel();
    cancel();
    if (current_ < 0) throw Error(name_ + ": cannot perform this operation on an empty dataset");
    RecordBuffer record = records_.take(current_);
    if (blobs_) {
        for (int i = 0; i < layout_.sectorCount(); ++i)
            if (isBlobType(layout_.sector(i).def.type) && !layout_.isNull(record.get(), i))
                blobs_->deleteChain(loadLeInt32(layout_.value(record.get(), i)));
        blobs_->commit();
    }
    modified_ = true;
    updateWindow();
    placeCursor(current_);
}

}  // namespace vk
