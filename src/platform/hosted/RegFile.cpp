#include "platform/hosted/RegFile.h"

#include <cstdint>

#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/hosted/LineReader.h"

namespace vk::platform::hosted {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kStringAsHex = "hex(1):";

bool hasControlCharacter(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

bool isHexNumber(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return false;
    for (char c : s)
        if (hexDigitValue(c) < 0) return false;
    return true;
}

std::string quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// hex(1): the string's UTF-16LE units and a terminating zero, as regedit writes REG_SZ.
std::string stringAsHex(std::string_view text) {
    std::string bytes;
    for (char16_t unit : toUtf16(text) + u'\0') {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return std::string(kStringAsHex) + toHex(bytes, HexCase::Lower, ",");
}

class RegFileParser {
public:
    RegFileParser(std::string_view text, const std::string& fileName) : lines_(text, fileName) {}

    RegistryTree parse() {
        std::string_view line;
        bool sawHeader = false;
        while (lines_.next(line)) {
            if (line.empty() || line.front() == ';') continue;
            if (!sawHeader) {
                if (line != kHeader) fail("not a registry file: the first line must be \"" + std::string(kHeader) + "\"");
                sawHeader = true;
            } else if (line.front() == '[') {
                parseSection(line);
            } else {
                parseValue(line);
            }
        }
        return std::move(tree_);
    }

private:
    [[noreturn]] void fail(const std::string& what) const { lines_.fail(what); }

    void checkText(std::string_view text) const {
        if (!isStorableText(text)) fail("the text is not UTF-8");
    }

    void parseSection(std::string_view line) {
        if (line.back() != ']') fail("a key line must end with \"]\"");
        std::string_view path = line.substr(1, line.size() - 2);
        if (!path.empty() && path.front() == '-') fail("key deletions have no place in a stored registry");
        checkText(path);
        std::size_t rootEnd = path.find('\\');
        auto root = parseRootKeyName(path.substr(0, rootEnd));
        if (!root) fail("unknown root key \"" + std::string(path.substr(0, rootEnd)) + "\"");
        current_ = &tree_.root(*root);
        if (rootEnd == std::string_view::npos) return;
        std::string_view names = path.substr(rootEnd + 1);
        for (std::size_t start = 0; start <= names.size();) {
            std::size_t end = names.find('\\', start);
            if (end == std::string_view::npos) end = names.size();
            if (end == start) fail("empty key name in \"" + std::string(path) + "\"");
            current_ = &current_->childOrNew(names.substr(start, end - start));
            start = end + 1;
        }
    }

    void parseValue(std::string_view line) {
        if (!current_) fail("a value before the first [key] line");
        RegistryValue value;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else if (line.front() == '"') {
            value.name = parseQuoted(line);
        } else {
            fail("expected a quoted value name or @");
        }
        line = trimBlanks(line);
        if (line.empty() || line.front() != '=') fail("expected \"=\" after the value name");
        line = trimBlanks(line.substr(1));
        if (!line.empty() && line.front() == '"') {
            value.data = parseQuoted(line);
            if (!trimBlanks(line).empty()) fail("unexpected text after the closing quote");
        } else if (line == "-") {
            fail("value deletions have no place in a stored registry");
        } else {
            value.data = parseTypedData(line);
            value.isString = false;
            if (value.data.starts_with(kStringAsHex)) {
                value.data = decodeStringHex(value.data.substr(kStringAsHex.size()));
                value.isString = true;
            }
        }
        current_->setValue(std::move(value));
    }

    // Reads "..." with the escapes \\ and \" from the front of rest.
    std::string parseQuoted(std::string_view& rest) {
        std::string out;
        std::size_t i = 1;
        for (; i < rest.size() && rest[i] != '"'; ++i) {
            if (rest[i] == '\\') {
                if (++i == rest.size() || (rest[i] != '\\' && rest[i] != '"'))
                    fail("unknown escape in a quoted text (only \\\\ and \\\" are known)");
            }
            out += rest[i];
        }
        if (i >= rest.size()) fail("missing closing quote");
        rest.remove_prefix(i + 1);
        checkText(out);
        return out;
    }

    // dword:XXXXXXXX or hex[(type)]:bytes, the bytes possibly continued over
    // lines ending in "\"; returned without spaces and line breaks.
    std::string parseTypedData(std::string_view data) {
        if (data.starts_with("dword:")) {
            if (!isHexNumber(data.substr(6), 8) || data.size() != 14) fail("a dword needs eight hex digits");
            return std::string(data);
        }
        std::size_t colon = data.find(':');
        std::string_view type = data.substr(0, colon);
        bool typed = type.starts_with("hex(") && type.ends_with(")") && isHexNumber(type.substr(4, type.size() - 5), 8);
        if (colon == std::string_view::npos || (type != "hex" && !typed)) fail("unknown value data \"" + std::string(data) + "\"");
        std::string out(data.substr(0, colon + 1));
        std::string_view bytes = data.substr(colon + 1);
        bool firstByte = true;
        while (true) {
            bool continued = !bytes.empty() && bytes.back() == '\\';
            if (continued) bytes.remove_suffix(1);
            for (std::size_t start = 0; start < bytes.size();) {
                std::size_t end = bytes.find(',', start);
                if (end == std::string_view::npos) end = bytes.size();
                std::string_view byte = trimBlanks(bytes.substr(start, end - start));
                start = end + 1;
                if (byte.empty() && end == bytes.size()) break;  // a trailing comma before "\"
                if (byte.size() != 2 || !isHexNumber(byte, 2)) fail("bad hex byte \"" + std::string(byte) + "\"");
                if (!firstByte) out += ',';
                firstByte = false;
                out += byte;
            }
            if (!continued) break;
            if (!lines_.next(bytes)) fail("the file ends inside hex data");
        }
        return out;
    }

    std::string decodeStringHex(std::string_view bytes) {
        if (bytes.empty()) return {};
        if ((bytes.size() + 1) % 6 != 0) fail("a hex(1) string needs an even number of bytes");
        std::u16string units;
        for (std::size_t i = 0; i + 4 < bytes.size(); i += 6) {
            int b0 = hexDigitValue(bytes[i]) * 16 + hexDigitValue(bytes[i + 1]);
            int b1 = hexDigitValue(bytes[i + 3]) * 16 + hexDigitValue(bytes[i + 4]);
            units += static_cast<char16_t>(b0 | (b1 << 8));
        }
        if (!units.empty() && units.back() == u'\0') units.pop_back();
        try {
            return fromUtf16(units);
        } catch (const Error&) {
            fail("a hex(1) string is not valid UTF-16");
        }
    }

    LineReader lines_;
    RegistryTree tree_;
    RegistryNode* current_ = nullptr;
};

void formatKey(std::string& out, const RegistryNode& key, const std::string& path, bool isRoot) {
    auto values = key.values();
    if (!isRoot || !values.empty()) {
        out += "[" + path + "]\n";
        for (const RegistryValue* value : values) {
            out += value->name.empty() ? "@" : quote(value->name);
            out += '=';
            if (!value->isString) out += value->data;
            else if (hasControlCharacter(value->data)) out += stringAsHex(value->data);
            else out += quote(value->data);
            out += '\n';
        }
        out += '\n';
    }
    for (const RegistryNode* child : key.children()) formatKey(out, *child, path + "\\" + child->name(), false);
}

}  // namespace

RegistryTree parseRegFile(std::string_view text, const std::string& fileName) {
    return RegFileParser(text, fileName).parse();
}

std::string formatRegFile(const RegistryTree& tree) {
    std::string out = std::string(kHeader) + "\n\n";
    for (RootKey root : kAllRootKeys) formatKey(out, tree.root(root), std::string(rootKeyName(root)), true);
    return out;
}

bool isStorableText(std::string_view text) {
    try {
        toUtf16(text);
        return true;
    } catch (const Error&) {
        return false;
    }
}

bool isStorableName(std::string_view name) { return !hasControlCharacter(name) && isStorableText(name); }

}  // namespace vk::platform::hosted
