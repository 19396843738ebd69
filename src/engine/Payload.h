#pragma once
// The payload: a transport stream of the files an installer carries, one
// record per file, its bytes compressed as SZDD.
#include <string>
#include <string_view>
#include <vector>

#include "datalib/DataSet.h"

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

}  // namespace vk::payload
