#pragma once
// The payload: a transport stream of the files an installer carries, one
// record per file, its bytes compressed as SZDD.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datalib/DataSet.h"
#include "platform/Stream.h"

namespace vk::payload {

// The payload table's fields in their stored order.
inline constexpr const char* kFileName = "ИмяФайла";  // the name without folder
inline constexpr const char* kFileKind = "ТипФайла";  // the FileKind code
inline constexpr const char* kIndex = "Индекс";       // a configuration number, may be null
inline constexpr const char* kData = "Данные";        // the SZDD-compressed bytes
inline constexpr int kMaxFileName = 64;
std::vector<FieldDef> fieldDefs();

// Payload file names come from stored bytes: before one is joined to a
// destination folder it must name a file inside that folder and nothing else.

// Why name (UTF-8) cannot be a file name directly inside a folder, or empty
// when it can: empty, "." or "..", a path separator or drive, a character
// that Windows does not allow in names, a trailing dot or space (which
// Windows drops), a device name such as "NUL" or "COM1.txt", or a name
// longer than 255 bytes.
std::string unsafeFileNameReason(std::string_view name);

// The installer's check of its payload: the RCDATA resource TRSCheck holds
// the CRC-32 of TRSData's bytes, 4 bytes little-endian, made by the build
// (trs checksum). SZDD carries no checksum: without this a bit flipped by a
// bad download or disk would expand into a wrong file without a word.
inline constexpr const char* kCheckResource = "TRSCheck";
inline constexpr std::size_t kCheckSize = 4;

// The value a check resource holds; Error naming it when it is not 4 bytes.
std::uint32_t readCheck(Stream& check);
std::string checkBytes(std::uint32_t crc);
// Reads payload from its start to its end and compares its CRC-32 with
// expected; payload is at its start again afterwards. Throws Error naming
// the payload and both values when they differ.
void verify(Stream& payload, std::uint32_t expected);
// The check the running installer carries, for InstallJob::PayloadCheck;
// none when it was built without one.
std::optional<std::uint32_t> ownCheck();

}  // namespace vk::payload
