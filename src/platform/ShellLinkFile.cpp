#include "platform/ShellLinkFile.h"

#include <array>

#include "platform/Error.h"
#include "platform/LittleEndian.h"
#include "platform/Text.h"

namespace vk::platform {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::array<std::uint8_t, 16> kLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// LinkFlags
constexpr std::uint32_t kHasLinkTargetIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kIsUnicode = 0x80;

// LinkInfoFlags
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t kCommonNetworkRelativeLinkAndPathSuffix = 0x02;

// LinkInfo with the Unicode path offsets; without them it is 0x1C.
constexpr std::uint32_t kLinkInfoHeaderSize = 0x24;
constexpr std::uint32_t kLinkInfoHeaderSizeAnsi = 0x1C;
constexpr std::uint32_t kVolumeIdHeaderSize = 0x10;
constexpr std::uint32_t kNetworkLinkHeaderSize = 0x1C;  // with the Unicode name offsets
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kValidNetType = 0x02;
constexpr std::uint32_t kNetworkProviderLanman = 0x00020000;
constexpr std::uint32_t kShowNormal = 1;
constexpr std::uint32_t kMaxStringUnits = 0xFFFF;

void appendCString(std::vector<std::uint8_t>& out, std::string_view utf8) {
    const std::string ansi = toCp1251Lossy(utf8);  // the ANSI copies only; the Unicode ones are exact
    out.insert(out.end(), ansi.begin(), ansi.end());
    out.push_back(0);
}

void appendUtf16(std::vector<std::uint8_t>& out, std::u16string_view text) {
    for (char16_t unit : text) appendLe16(out, unit);
}

void appendUtf16z(std::vector<std::uint8_t>& out, std::string_view utf8) {
    appendUtf16(out, toUtf16(utf8));
    appendLe16(out, 0);
}

// A target on a share ("\\host\share\rest") splits into the share and the rest.
struct Target {
    bool network = false;
    std::string base;    // the local path, or "\\host\share"
    std::string suffix;  // the rest after the share
};

Target splitTarget(const std::string& path) {
    if (path.size() < 2 || path[0] != '\\' || path[1] != '\\') return {false, path, ""};
    const auto hostEnd = path.find('\\', 2);
    if (hostEnd == std::string::npos) return {true, path, ""};
    const auto shareEnd = path.find('\\', hostEnd + 1);
    if (shareEnd == std::string::npos) return {true, path, ""};
    return {true, path.substr(0, shareEnd), path.substr(shareEnd + 1)};
}

std::vector<std::uint8_t> encodeNetworkLink(const std::string& share) {
    std::vector<std::uint8_t> block(kNetworkLinkHeaderSize, 0);
    storeLe32(block.data() + 4, kValidNetType);
    storeLe32(block.data() + 8, kNetworkLinkHeaderSize);  // NetName
    storeLe32(block.data() + 16, kNetworkProviderLanman);
    appendCString(block, share);
    storeLe32(block.data() + 20, static_cast<std::uint32_t>(block.size()));  // NetNameUnicode
    appendUtf16z(block, share);
    storeLe32(block.data(), static_cast<std::uint32_t>(block.size()));
    return block;
}

std::vector<std::uint8_t> encodeLinkInfo(const std::string& path) {
    const Target target = splitTarget(path);
    std::vector<std::uint8_t> info(kLinkInfoHeaderSize, 0);
    auto field = [&info](std::size_t offset) { storeLe32(info.data() + offset, static_cast<std::uint32_t>(info.size())); };
    storeLe32(info.data() + 4, kLinkInfoHeaderSize);
    if (target.network) {
        storeLe32(info.data() + 8, kCommonNetworkRelativeLinkAndPathSuffix);
        field(20);
        const auto link = encodeNetworkLink(target.base);
        info.insert(info.end(), link.begin(), link.end());
    } else {
        storeLe32(info.data() + 8, kVolumeIdAndLocalBasePath);
        field(12);
        appendLe32(info, kVolumeIdHeaderSize + 1);
        appendLe32(info, kDriveFixed);
        appendLe32(info, 0);  // serial number
        appendLe32(info, kVolumeIdHeaderSize);
        info.push_back(0);  // empty volume label
        field(16);
        appendCString(info, target.base);
    }
    field(24);
    appendCString(info, target.suffix);
    if (info.size() % 2 != 0) info.push_back(0);
    if (!target.network) {
        field(28);
        appendUtf16z(info, target.base);
    }
    field(32);
    appendUtf16z(info, target.suffix);
    storeLe32(info.data(), static_cast<std::uint32_t>(info.size()));
    return info;
}

void appendStringData(std::vector<std::uint8_t>& out, const std::string& utf8, const char* what) {
    const std::u16string units = toUtf16(utf8);
    if (units.size() > kMaxStringUnits) throw Error(std::string("shell link ") + what + " is too long: " + utf8);
    appendLe16(out, static_cast<std::uint16_t>(units.size()));
    appendUtf16(out, units);
}

// Bounds-checked access to one block of the file read into memory.
class Block {
public:
    Block(std::vector<std::uint8_t> bytes, const Stream& source, const char* what)
        : bytes_(std::move(bytes)), source_(source), what_(what) {}

    std::size_t size() const { return bytes_.size(); }

    std::uint32_t u32(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < 4) fail("field past its end");
        return loadLe32(bytes_.data() + offset);
    }

    std::string ansiString(std::size_t offset) const {
        std::string text;
        for (std::size_t i = checked(offset); bytes_[i] != 0; ++i) {
            text.push_back(static_cast<char>(bytes_[i]));
            if (i + 1 == bytes_.size()) fail("string without its terminating NUL");
        }
        return fromCp1251(text);
    }

    std::string unicodeString(std::size_t offset) const {
        std::u16string units;
        for (std::size_t i = checked(offset);; i += 2) {
            if (bytes_.size() - i < 2) fail("string without its terminating NUL");
            const char16_t unit = loadLe16(bytes_.data() + i);
            if (unit == 0) break;
            units.push_back(unit);
        }
        return decodeUtf16(units, source_, what_);
    }

    static std::string decodeUtf16(const std::u16string& units, const Stream& source, const char* what) {
        try {
            return fromUtf16(units);
        } catch (const Error&) {
            throw Error(source.name() + ": damaged shell link: " + what + " is not valid UTF-16");
        }
    }

    [[noreturn]] void fail(const std::string& problem) const {
        throw Error(source_.name() + ": damaged shell link: " + what_ + ": " + problem);
    }

private:
    std::size_t checked(std::size_t offset) const {
        if (offset >= bytes_.size()) fail("string offset past its end");
        return offset;
    }

    std::vector<std::uint8_t> bytes_;
    const Stream& source_;
    const char* what_;
};

class LinkReader {
public:
    explicit LinkReader(Stream& lnk) : lnk_(lnk) {}

    ShellLinkData read() {
        std::uint8_t header[kHeaderSize];
        bytes(header, sizeof header, "header");
        if (loadLe32(header) != kHeaderSize || !std::equal(kLinkClsid.begin(), kLinkClsid.end(), header + 4))
            throw Error(lnk_.name() + ": not a shell link");
        const std::uint32_t flags = loadLe32(header + 20);

        if (flags & kHasLinkTargetIdList) skipIdList();
        ShellLinkData link;
        if (flags & kHasLinkInfo) link.path = linkInfoTarget();
        const bool unicode = (flags & kIsUnicode) != 0;
        if (flags & kHasName) link.description = stringData(unicode, "description");
        if (flags & kHasRelativePath) {
            std::string relative = stringData(unicode, "relative path");
            if (link.path.empty()) link.path = std::move(relative);
        }
        if (flags & kHasWorkingDir) link.workingFolder = stringData(unicode, "working folder");
        if (flags & kHasArguments) link.arguments = stringData(unicode, "arguments");
        // What follows (icon location, extra data) says nothing the callers need.
        return link;
    }

private:
    void requireRemaining(std::size_t count, const char* what) {
        if (lnk_.size() - lnk_.position() < static_cast<std::int64_t>(count))
            throw Error(lnk_.name() + ": damaged shell link: " + what + " runs past the end of the file");
    }

    void bytes(void* buffer, std::size_t count, const char* what) {
        requireRemaining(count, what);
        lnk_.readExact(buffer, count);
    }

    void skipIdList() {
        std::uint8_t size[2];
        bytes(size, 2, "item ID list");
        requireRemaining(loadLe16(size), "item ID list");
        lnk_.seek(loadLe16(size), SeekOrigin::Current);
    }

    std::string linkInfoTarget() {
        std::uint8_t sizeBytes[4];
        bytes(sizeBytes, 4, "link info");
        const std::uint32_t size = loadLe32(sizeBytes);
        if (size < kLinkInfoHeaderSizeAnsi)
            throw Error(lnk_.name() + ": damaged shell link: link info smaller than its header");
        requireRemaining(size - 4, "link info");
        std::vector<std::uint8_t> rest(size - 4);
        bytes(rest.data(), rest.size(), "link info");
        rest.insert(rest.begin(), sizeBytes, sizeBytes + 4);
        const Block info(std::move(rest), lnk_, "link info");

        const std::uint32_t headerSize = info.u32(4);
        if (headerSize < kLinkInfoHeaderSizeAnsi || headerSize > size) info.fail("header size out of range");
        const bool withUnicode = headerSize >= kLinkInfoHeaderSize;
        const std::uint32_t flags = info.u32(8);
        const std::string suffix = withUnicode && info.u32(32) != 0 ? info.unicodeString(info.u32(32))
                                                                    : info.ansiString(info.u32(24));
        if (flags & kVolumeIdAndLocalBasePath) {
            const std::string base = withUnicode && info.u32(28) != 0 ? info.unicodeString(info.u32(28))
                                                                      : info.ansiString(info.u32(16));
            return base + suffix;
        }
        if (flags & kCommonNetworkRelativeLinkAndPathSuffix) {
            const std::string share = networkName(info, info.u32(20));
            return suffix.empty() ? share : share + "\\" + suffix;
        }
        return {};
    }

    static std::string networkName(const Block& info, std::uint32_t link) {
        const std::uint32_t linkSize = info.u32(link);
        if (linkSize < 0x14 || linkSize > info.size() - link) info.fail("network link size out of range");
        const std::uint32_t nameOffset = info.u32(link + 8);
        if (nameOffset >= linkSize) info.fail("network name past the network link");
        if (nameOffset > 0x14) {
            const std::uint32_t unicodeOffset = info.u32(link + 20);
            if (unicodeOffset != 0) {
                if (unicodeOffset >= linkSize) info.fail("network name past the network link");
                return info.unicodeString(link + unicodeOffset);
            }
        }
        return info.ansiString(link + nameOffset);
    }

    std::string stringData(bool unicode, const char* what) {
        std::uint8_t countBytes[2];
        bytes(countBytes, 2, what);
        const std::size_t count = loadLe16(countBytes);
        requireRemaining(unicode ? count * 2 : count, what);
        std::vector<std::uint8_t> raw(unicode ? count * 2 : count);
        bytes(raw.data(), raw.size(), what);
        if (!unicode) return fromCp1251(std::string(raw.begin(), raw.end()));
        std::u16string units(count, u'\0');
        for (std::size_t i = 0; i < count; ++i) units[i] = loadLe16(raw.data() + 2 * i);
        return Block::decodeUtf16(units, lnk_, what);
    }

    Stream& lnk_;
};

}  // namespace

std::vector<std::uint8_t> encodeShellLink(const ShellLinkData& link) {
    std::uint32_t flags = kHasLinkInfo | kIsUnicode;
    if (!link.description.empty()) flags |= kHasName;
    if (!link.workingFolder.empty()) flags |= kHasWorkingDir;
    if (!link.arguments.empty()) flags |= kHasArguments;

    // Times, target size, icon index, hot key and the reserved fields stay zero.
    std::vector<std::uint8_t> out(kHeaderSize, 0);
    storeLe32(out.data(), kHeaderSize);
    std::copy(kLinkClsid.begin(), kLinkClsid.end(), out.begin() + 4);
    storeLe32(out.data() + 20, flags);
    storeLe32(out.data() + 60, kShowNormal);

    const auto info = encodeLinkInfo(link.path);
    out.insert(out.end(), info.begin(), info.end());
    if (flags & kHasName) appendStringData(out, link.description, "description");
    if (flags & kHasWorkingDir) appendStringData(out, link.workingFolder, "working folder");
    if (flags & kHasArguments) appendStringData(out, link.arguments, "arguments");
    appendLe32(out, 0);  // terminal block of the (empty) extra data
    return out;
}

ShellLinkData decodeShellLink(Stream& lnk) {
    lnk.seek(0, SeekOrigin::Begin);
    return LinkReader(lnk).read();
}

}  // namespace vk::platform
