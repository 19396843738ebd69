#include "PayloadSource.h"

#include <cstdio>

#include "HostFile.h"
#include "engine/Payload.h"
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

PayloadCheck checkPayload(const std::filesystem::path& file) {
    auto stream = openForReading(file);
    if (!startsWithMz(*stream)) return {};
    platform::PeImage image(*stream);
    auto check = image.findResource(platform::kResourceTypeRcData, payload::kCheckResource);
    auto data = image.findResource(platform::kResourceTypeRcData, "TRSData");
    if (!check || !data) return {};
    const std::string name = displayPath(file);
    StreamWindow checkBytes(openForReading(file), check->offset, check->size, name + ":" + payload::kCheckResource);
    const std::uint32_t expected = payload::readCheck(checkBytes);
    StreamWindow payloadBytes(std::move(stream), data->offset, data->size, name + ":TRSData");
    try {
        payload::verify(payloadBytes, expected);
        char text[64];
        std::snprintf(text, sizeof text, "payload check: CRC-32 0x%08X holds", static_cast<unsigned>(expected));
        return {true, true, text};
    } catch (const Error& e) {
        return {true, false, std::string("payload check fails: ") + e.what()};
    }
}

void openTransport(TTransporter& table, const std::filesystem::path& file) {
    auto stream = openForReading(file);
    if (!startsWithMz(*stream)) {
        table.OpenStream(std::move(stream));
        return;
    }
    auto payload = platform::rcDataResource(std::move(stream), "TRSData", displayPath(file) + ":TRSData");
    if (!payload) throw Error(displayPath(file) + ": the executable has no RCDATA resource TRSData");
    table.OpenStream(std::move(payload));
}

}  // namespace vk::trs
