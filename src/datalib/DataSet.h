#pragma once
// The table interface shared by the transport-stream reader (read-only) and
// the in-memory static set (read-write), and accepted by the transport writer.
//
// Fields are numbered 0..fieldCount()-1 in definition order. Values are read
// and written by index or, through Field, by name (case-insensitive). A value
// read while the cursor is on no record throws Error ("no data").
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Stream.h"

namespace vk {

// The dataset framework's field-type codes; transport streams store them.
enum class FieldType : std::uint8_t {
    Unknown = 0,
    String = 1,
    SmallInt = 2,
    Integer = 3,
    Word = 4,
    Boolean = 5,
    Float = 6,
    Currency = 7,
    Bcd = 8,
    Date = 9,
    Time = 10,
    DateTime = 11,
    Bytes = 12,
    VarBytes = 13,
    AutoInc = 14,
    Blob = 15,
    Memo = 16,
    Graphic = 17,
    FmtMemo = 18,
    ParadoxOle = 19,
    DBaseOle = 20,
    TypedBinary = 21,
};

bool isBlobType(FieldType type);  // codes 15..21
// The width in bytes of a fixed-size value's native form (0 for strings and blobs).
std::uint16_t nativeSize(FieldType type);

struct FieldDef {
    std::string name;
    FieldType type = FieldType::Unknown;
    std::uint16_t size = 0;  // strings: declared length in characters; fixed: width; blobs: 0
    bool required = false;
};

class DataSet;

// A light handle to one field of a dataset: ds.field("Name").asString().
class Field {
public:
    Field(DataSet& owner, int index) : owner_(&owner), index_(index) {}
    int index() const { return index_; }
    const FieldDef& def() const;
    bool isNull() const;
    std::string asString() const;
    std::int64_t asInteger() const;
    void setString(std::string_view value) const;
    void setInteger(std::int64_t value) const;
    void setNull() const;

private:
    DataSet* owner_;
    int index_;
};

class DataSet {
public:
    virtual ~DataSet() = default;

    // --- structure
    virtual const std::vector<FieldDef>& fieldDefs() const = 0;
    int fieldCount() const { return static_cast<int>(fieldDefs().size()); }
    // -1 when no field has that name (case-insensitive).
    int fieldIndex(std::string_view name) const;
    // Throws Error "Field 'X' not found" when missing.
    Field field(std::string_view name);
    Field field(int index) { return Field(*this, index); }

    // --- navigation
    virtual void first() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    virtual void last() = 0;
    virtual bool eof() const = 0;
    virtual bool bof() const = 0;
    virtual int recordCount() const = 0;

    // --- values of the current record (or of the record being edited)
    virtual bool isNull(int field) const = 0;
    // Strings as text; integers in decimal; other kinds as the implementation renders them.
    virtual std::string asString(int field) const = 0;
    virtual std::int64_t asInteger(int field) const = 0;
    // The value's native fixed-size form (nativeSize bytes), for the transport writer.
    virtual std::vector<std::uint8_t> nativeValue(int field) const = 0;
    // A read stream over a blob or memo value, positioned at 0 (empty for null).
    virtual std::unique_ptr<Stream> openBlob(int field) = 0;

    // --- editing; the read-only default throws Error.
    virtual void append();
    virtual void insert();
    virtual void edit();
    virtual void post();
    virtual void cancel();
    virtual void remove();  // Delete
    virtual void setString(int field, std::string_view value);
    virtual void setInteger(int field, std::int64_t value);
    virtual void setNull(int field);
    // A write stream over a blob or memo value; the value takes its bytes on post.
    virtual std::unique_ptr<Stream> openBlobForWrite(int field);

protected:
    [[noreturn]] void throwReadOnly() const;
};

}  // namespace vk
