// trs pack MANIFEST OUT: a payload from the files a manifest lists.
#include "Commands.h"
#include "HostFile.h"
#include "Manifest.h"
#include "datalib/WholeFile.h"
#include "datalib/Szdd.h"
#include "engine/IMDTools.h"
#include "engine/Payload.h"
#include "platform/Error.h"
#include "platform/LittleEndian.h"

namespace vk::trs {

namespace {

// The manifest's entries as the payload table; each source is compressed
// when the writer asks for its data, so only one file is held at a time.
class ManifestTable final : public DataSet {
public:
    explicit ManifestTable(const std::vector<ManifestEntry>& entries) : entries_(entries), defs_(payload::fieldDefs()) {}

    const std::vector<FieldDef>& fieldDefs() const override { return defs_; }
    void first() override { row_ = 0; }
    void next() override { row_ = std::min(row_ + 1, entries_.size()); }
    void prior() override { row_ = row_ ? row_ - 1 : 0; }
    void last() override { row_ = entries_.empty() ? 0 : entries_.size() - 1; }
    bool eof() const override { return row_ >= entries_.size(); }
    bool bof() const override { return row_ == 0; }
    int recordCount() const override { return static_cast<int>(entries_.size()); }

    bool isNull(int field) const override { return field == 2 && !entry().index; }
    std::string asString(int field) const override {
        return field == 0 ? entry().name : std::to_string(asInteger(field));
    }
    std::int64_t asInteger(int field) const override {
        if (field == 1) return entry().kind;
        if (field == 2) return entry().index.value_or(0);
        throw Error(entry().where + ": field " + defs_.at(static_cast<std::size_t>(field)).name + " is no integer");
    }
    std::vector<std::uint8_t> nativeValue(int field) const override {
        const auto value = static_cast<std::uint32_t>(asInteger(field));
        const std::size_t width = nativeSize(defs_.at(static_cast<std::size_t>(field)).type);
        std::vector<std::uint8_t> bytes(width);
        storeLe(bytes.data(), value, width);
        return bytes;
    }
    std::unique_ptr<Stream> openBlob(int) override {
        auto source = openForReading(entry().source);
        auto packed = std::make_unique<MemoryStream>(entry().name);
        szddCompress(*source, *packed);
        packed->seek(0, SeekOrigin::Begin);
        return packed;
    }

    const ManifestEntry& entry() const { return entries_.at(row_); }

private:
    const std::vector<ManifestEntry>& entries_;
    std::vector<FieldDef> defs_;
    std::size_t row_ = 0;
};

}  // namespace

int packCommand(const Args& args, std::ostream& out) {
    if (args.size() != 2) throw UsageError{"pack takes MANIFEST OUT"};
    const auto manifest = hostPath(args[0]);
    const auto target = hostPath(args[1]);
    const auto entries = readManifest(manifest);
    ManifestTable table(entries);
    std::int64_t size = 0;
    writeFileReplacing(displayPath(target), [&](Stream& stream) {
        std::string failure;
        SaveDataSetToStream(&table, &stream, [&](const std::string& error) {
            if (!error.empty()) failure = table.entry().where + ": " + error;
            return error.empty();
        });
        if (!failure.empty()) throw Error(failure);
        size = stream.position();
    });
    out << "packed " << entries.size() << " files into " << displayPath(target) << " (" << size << " bytes)\n";
    return 0;
}

}  // namespace vk::trs
