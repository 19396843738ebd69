#pragma once
// Hand-made PE images with one resource, laid out at fixed offsets so that a
// test can damage exactly the field it means to.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/LittleEndian.h"

namespace vk::test {

struct HandMadeImage {
    // Offsets inside the resource section.
    static constexpr std::uint32_t kRoot = 0x00;
    static constexpr std::uint32_t kNameDirectory = 0x18;
    static constexpr std::uint32_t kLanguageDirectory = 0x30;
    static constexpr std::uint32_t kDataEntry = 0x48;
    static constexpr std::uint32_t kName = 0x58;
    static constexpr std::uint32_t kSectionRva = 0x1000;
    static constexpr std::uint32_t kSectionFileOffset = 0x200;

    std::vector<std::uint8_t> bytes;
    std::uint32_t dataOffset = 0;  // the resource's bytes, inside the section

    // The section field at offset (relative to the resource section).
    void setSection32(std::uint32_t offset, std::uint32_t value) {
        storeLe32(bytes.data() + kSectionFileOffset + offset, value);
    }
    // An entry's data field: the second word of the only entry of a directory.
    void setEntryTarget(std::uint32_t directory, std::uint32_t value) { setSection32(directory + 20, value); }
};

// RCDATA named `name` (upper-cased as resource compilers store it) holding payload.
inline HandMadeImage makeImage(const std::string& name, const std::string& payload, bool pe32Plus = false) {
    using I = HandMadeImage;
    std::vector<std::uint8_t> section;
    auto directory = [&](std::uint32_t nameField, std::uint32_t target, bool named) {
        section.resize(section.size() + 12, 0);
        appendLe16(section, named ? 1 : 0);
        appendLe16(section, named ? 0 : 1);
        appendLe32(section, nameField);
        appendLe32(section, target);
    };
    directory(10, 0x80000000u | I::kNameDirectory, false);
    directory(0x80000000u | I::kName, 0x80000000u | I::kLanguageDirectory, true);
    directory(0x409, I::kDataEntry, false);
    const std::uint32_t dataOffset = (I::kName + 2 + 2 * static_cast<std::uint32_t>(name.size()) + 7) & ~7u;
    appendLe32(section, I::kSectionRva + dataOffset);
    appendLe32(section, static_cast<std::uint32_t>(payload.size()));
    appendLe32(section, 0);
    appendLe32(section, 0);
    appendLe16(section, static_cast<std::uint16_t>(name.size()));
    for (char c : name) appendLe16(section, static_cast<std::uint16_t>(c >= 'a' && c <= 'z' ? c - 32 : c));
    section.resize(dataOffset, 0);
    section.insert(section.end(), payload.begin(), payload.end());

    std::vector<std::uint8_t> image(I::kSectionFileOffset, 0);
    image[0] = 'M';
    image[1] = 'Z';
    storeLe32(image.data() + 0x3C, 0x40);
    std::vector<std::uint8_t> headers = {'P', 'E', 0, 0};
    const std::uint16_t optionalSize = pe32Plus ? 240 : 224;
    appendLe16(headers, pe32Plus ? 0x8664 : 0x14C);
    appendLe16(headers, 1);  // sections
    headers.resize(headers.size() + 12, 0);
    appendLe16(headers, optionalSize);
    appendLe16(headers, 0x0102);
    const std::size_t optional = headers.size();
    headers.resize(optional + optionalSize, 0);
    storeLe32(headers.data() + optional, pe32Plus ? 0x20B : 0x10B);  // magic (the upper half is zero padding)
    const std::size_t directories = optional + (pe32Plus ? 112 : 96);
    storeLe32(headers.data() + directories - 4, 16);
    storeLe32(headers.data() + directories + 16, I::kSectionRva);
    storeLe32(headers.data() + directories + 20, static_cast<std::uint32_t>(section.size()));
    const char sectionName[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    headers.insert(headers.end(), sectionName, sectionName + 8);
    appendLe32(headers, static_cast<std::uint32_t>(section.size()));
    appendLe32(headers, I::kSectionRva);
    appendLe32(headers, static_cast<std::uint32_t>(section.size()));
    appendLe32(headers, I::kSectionFileOffset);
    headers.resize(headers.size() + 16, 0);
    std::copy(headers.begin(), headers.end(), image.begin() + 0x40);
    image.insert(image.end(), section.begin(), section.end());
    return {image, dataOffset};
}

}  // namespace vk::test
