#include "datalib/DataSet.h"

#include "platform/Error.h"
#include "platform/Text.h"

namespace vk {

bool isBlobType(FieldType type) {
    auto code = static_cast<int>(type);
    return code >= 15 && code <= 21;
}

std::uint16_t nativeSize(FieldType type) {
    switch (type) {
    case FieldType::SmallInt:
    case FieldType::Word:
    case FieldType::Boolean:
        return 2;
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Date:
    case FieldType::Time:
        return 4;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::DateTime:
        return 8;
    default:
        return 0;
    }
}

const FieldDef& Field::def() const { return owner_->fieldDefs().at(static_cast<std::size_t>(index_)); }
bool Field::isNull() const { return owner_->isNull(index_); }
std::string Field::asString() const { return owner_->asString(index_); }
std::int64_t Field::asInteger() const { return owner_->asInteger(index_); }
void Field::setString(std::string_view value) const { owner_->setString(index_, value); }
void Field::setInteger(std::int64_t value) const { owner_->setInteger(index_, value); }
void Field::setNull() const { owner_->setNull(index_); }

int DataSet::fieldIndex(std::string_view name) const {
    const auto& defs = fieldDefs();
    for (std::size_t i = 0; i < defs.size(); ++i)
        if (sameText(defs[i].name, name)) return static_cast<int>(i);
    return -1;
}

Field DataSet::field(std::string_view name) {
    int index = fieldIndex(name);
    if (index < 0) throw Error("Field '" + std::string(name) + "' not found");
    return Field(*this, index);
}

void DataSet::throwReadOnly() const { throw Error("Cannot modify a read-only dataset"); }

void DataSet::append() { throwReadOnly(); }
void DataSet::insert() { throwReadOnly(); }
void DataSet::edit() { throwReadOnly(); }
void DataSet::post() { throwReadOnly(); }
void DataSet::cancel() { throwReadOnly(); }
void DataSet::remove() { throwReadOnly(); }
void DataSet::setString(int, std::string_view) { throwReadOnly(); }
void DataSet::setInteger(int, std::int64_t) { throwReadOnly(); }
void DataSet::setNull(int) { throwReadOnly(); }
std::unique_ptr<Stream> DataSet::openBlobForWrite(int) { throwReadOnly(); }

}  // namespace vk
