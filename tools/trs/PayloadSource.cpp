#include "PayloadSource.h"

#include "HostFile.h"
#include "platform/Error.h"
#include "platform/PeImage.h"

namespace vk::trs {

namespace {

bool startsWithMz(Stream& file) {
    char magic[2] = {};
    const bool mz = file.read(magic, 2) == 2 && magic[0] == 'M' && magic[1] == 'Z';
    file.seek(0, SeekOrigin::Begin);
    return mz;
}

}  // namespace

void openTransport(TTransporter& table, const std::filesystem::path& file) {
    auto stream = openForReading(file);
    if (!startsWithMz(*stream)) {
        table.OpenStream(std::move(stream));
        return;
    }
    platform::PeImage image(*stream);
    auto where = image.findResource(platform::kResourceTypeRcData, "TRSData");
    if (!where) throw Error(displayPath(file) + ": the executable has no RCDATA resource TRSData");
    const std::string name = displayPath(file) + ":TRSData";
    table.OpenStream(std::make_unique<StreamWindow>(std::move(stream), where->offset, where->size, name));
}

}  // namespace vk::trs
