// trs compress IN OUT and trs expand IN OUT: SZDD files on their own;
// trs checksum PAYLOAD OUT: the check an installer carries of its payload.
#include "Commands.h"
#include "HostFile.h"
#include "platform/FileSystem.h"
#include "datalib/Crc32.h"
#include "datalib/Szdd.h"
#include "engine/Payload.h"

namespace vk::trs {

namespace {

// The character COMPRESS.EXE replaces with "_" in the compressed file's name.
char lastNameCharacter(const std::filesystem::path& file) {
    const std::string name = displayPath(file.filename());
    const char last = name.empty() ? 0 : name.back();
    return static_cast<unsigned char>(last) < 0x80 ? last : 0;
}

void convert(const Args& args, const char* command, const std::function<void(Stream&, Stream&)>& codec) {
    if (args.size() != 2) throw UsageError{std::string(command) + " takes IN OUT"};
    auto in = openForReading(hostPath(args[0]));
    platform::replaceFile(args[1], [&](Stream& out) { codec(*in, out); });
}

}  // namespace

int compressCommand(const Args& args, std::ostream&) {
    convert(args, "compress", [&](Stream& in, Stream& out) { szddCompress(in, out, lastNameCharacter(hostPath(args[0]))); });
    return 0;
}

int expandCommand(const Args& args, std::ostream&) {
    convert(args, "expand", [](Stream& in, Stream& out) { expandOrCopy(in, out); });
    return 0;
}

int checksumCommand(const Args& args, std::ostream&) {
    if (args.size() != 2) throw UsageError{"checksum takes PAYLOAD OUT"};
    auto in = openForReading(hostPath(args[0]));
    const std::string check = payload::checkBytes(crc32Of(*in));
    platform::replaceFile(args[1], [&](Stream& out) { out.write(check.data(), check.size()); });
    return 0;
}

}  // namespace vk::trs
