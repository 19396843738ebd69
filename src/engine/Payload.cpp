#include "engine/Payload.h"

#include <cstdio>

#include "datalib/Crc32.h"
#include "platform/Error.h"
#include "platform/Resources.h"
#include "platform/Text.h"

namespace vk::payload {

namespace {

// What every file system the tools and the installer run on can hold in one
// name: 255 bytes of UTF-8 are at most 255 UTF-16 units for Windows too.
constexpr std::size_t kMaxNameBytes = 255;

bool isDeviceName(std::string_view name) {
    const std::string base = ansiUpper(name.substr(0, name.find('.')));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' &&
           base[3] <= '9';
}

}  // namespace

std::vector<FieldDef> fieldDefs() {
    return {{kFileName, FieldType::String, kMaxFileName, false},
            {kFileKind, FieldType::Integer, 4, false},
            {kIndex, FieldType::SmallInt, 2, false},
            {kData, FieldType::Memo, 0, false}};
}

std::string unsafeFileNameReason(std::string_view name) {
    if (name.empty()) return "the name is empty";
    if (name == "." || name == "..") return "the name refers to a folder";
    for (char c : name) {
        if (c == '/' || c == '\\') return "the name contains a path separator";
        if (c == ':') return "the name contains a drive or stream separator";
        if (static_cast<unsigned char>(c) < 0x20) return "the name contains a control character";
        if (std::string_view("<>\"|?*").find(c) != std::string_view::npos)
            return std::string("the name contains the character ") + c;
    }
    if (name.back() == '.' || name.back() == ' ') return "the name ends with a dot or a space";
    // Checked with the other rules, so that a long name is refused before
    // anything is written rather than by the file system half-way through.
    if (name.size() > kMaxNameBytes)
        return "the name is " + std::to_string(name.size()) + " bytes long, more than a file name may have (" +
               std::to_string(kMaxNameBytes) + ")";
    if (isDeviceName(name)) return "the name is a device name";
    return {};
}

namespace {

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

std::uint32_t readCheck(Stream& check) {
    std::uint8_t bytes[kCheckSize + 1];
    check.seek(0, SeekOrigin::Begin);
    if (check.read(bytes, sizeof bytes) != kCheckSize)
        throw Error(check.name() + ": a payload check is " + std::to_string(kCheckSize) + " bytes long");
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::string checkBytes(std::uint32_t crc) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(crc >> (8 * i));
    return bytes;
}

void verify(Stream& payload, std::uint32_t expected) {
    payload.seek(0, SeekOrigin::Begin);
    const std::uint32_t actual = crc32Of(payload);
    payload.seek(0, SeekOrigin::Begin);
    if (actual != expected)
        throw Error("Пакет установки повреждён: контрольная сумма " + payload.name() + " " + hex(actual) +
                    " не совпадает с записанной " + hex(expected));
}

std::optional<std::uint32_t> ownCheck() {
    std::unique_ptr<Stream> check = platform::ownResource(kCheckResource);
    if (!check) return std::nullopt;
    return readCheck(*check);
}

}  // namespace vk::payload
