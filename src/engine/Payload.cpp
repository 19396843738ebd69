#include "engine/Payload.h"

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

}  // namespace vk::payload
