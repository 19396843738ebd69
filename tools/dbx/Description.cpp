#include "Description.h"

#include <set>
#include <sstream>

#include "platform/CfbFormat.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk::dbx {

namespace {

std::string trim(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// "\n", "\t" and "\\" in an updates entry's information text.
std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return out;
}

// Splits at the first count - 1 bars; the last field keeps any later bars.
std::vector<std::string> splitFields(const std::string& line, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() + 1 < count) {
        std::size_t bar = line.find('|', start);
        if (bar == std::string::npos) return {};
        fields.push_back(trim(line.substr(start, bar - start)));
        start = bar + 1;
    }
    fields.push_back(trim(line.substr(start)));
    return fields;
}

bool isInteger(const std::string& text) {
    std::size_t digits = text.size() > 0 && text[0] == '-' ? 1 : 0;
    return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos &&
           text.size() <= 10;
}

std::string hexBytes(const std::string& text, const std::string& where) {
    std::string bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair) {
        const int high = pair.size() == 2 ? hexDigitValue(pair[0]) : -1;
        const int low = pair.size() == 2 ? hexDigitValue(pair[1]) : -1;
        if (high < 0 || low < 0) throw Error(where + ": \"" + pair + "\" is not a hexadecimal byte");
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

Section sectionFor(const std::string& header, const std::string& where) {
    if (header == "ssDBParams") return {Section::Kind::DBParams, header, {}, {}};
    if (header == "ssSysParams") return {Section::Kind::SysParams, header, {}, {}};
    if (header == "ssUpdates") return {Section::Kind::Updates, header, {}, {}};
    if (header.rfind("stream ", 0) == 0) {
        std::string name = trim(header.substr(7));
        if (name.empty() || name.size() > 31 || name.find_first_of("/\\:!") != std::string::npos)
            throw Error(where + ": \"" + name + "\" cannot name a stream");
        return {Section::Kind::Raw, name, {{std::string()}}, {}};
    }
    throw Error(where + ": unknown section [" + header + "]; expected ssDBParams, ssSysParams, ssUpdates or stream NAME");
}

void addRow(Section& section, const std::string& line, int number, const std::string& where) {
    if (section.kind != Section::Kind::Raw) section.lines.push_back(number);
    switch (section.kind) {
        case Section::Kind::DBParams: {
            auto fields = splitFields(line, 3);
            if (fields.empty() || !isInteger(fields[0]) || fields[1].empty())
                throw Error(where + ": an ssDBParams row is \"ConnectNo | Name | Value\"");
            section.rows.push_back(fields);
            return;
        }
        case Section::Kind::SysParams: {
            auto fields = splitFields(line, 2);
            if (fields.empty() || fields[0].empty()) throw Error(where + ": an ssSysParams row is \"Name | Value\"");
            section.rows.push_back(fields);
            return;
        }
        case Section::Kind::Updates: {
            auto fields = splitFields(line, 3);
            if (fields.empty() || !isInteger(fields[0]))
                throw Error(where + ": an ssUpdates row is \"OrderNo | Name | Info\"");
            fields[2] = unescape(fields[2]);
            section.rows.push_back(fields);
            return;
        }
        case Section::Kind::Raw: {
            std::string& bytes = section.rows[0][0];
            if (line.rfind("text:", 0) == 0) bytes += toCp1251(trim(line.substr(5))) + "\r\n";
            else if (line.rfind("hex:", 0) == 0) bytes += hexBytes(line.substr(4), where);
            else throw Error(where + ": a stream line starts with \"text:\" or \"hex:\"");
            return;
        }
    }
}

}  // namespace

std::vector<Section> parseDescription(const std::string& text, const std::string& descriptionName) {
    std::vector<Section> sections;
    // The names so far, compared as the compound file compares them: a
    // lookup per section keeps a description of many streams linear.
    auto nameLess = [](const std::u16string& a, const std::u16string& b) {
        return platform::cfb::compareNames(a, b) < 0;
    };
    std::set<std::u16string, decltype(nameLess)> streamNames(nameLess);
    std::istringstream lines(text);
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        const std::string where = descriptionName + ":" + std::to_string(number);
        std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        try {
            if (line.front() == '[') {
                if (line.back() != ']') throw Error(where + ": a section header ends with \"]\"");
                Section section = sectionFor(trim(line.substr(1, line.size() - 2)), where);
                if (!streamNames.insert(toUtf16(section.streamName)).second)
                    throw Error(where + ": stream \"" + section.streamName + "\" is described twice");
                sections.push_back(std::move(section));
            } else if (sections.empty()) {
                throw Error(where + ": rows come after a section header such as [ssDBParams]");
            } else {
                addRow(sections.back(), line, number, where);
            }
        } catch (const Error& e) {
            std::string message = e.what();
            if (message.rfind(where, 0) != 0) throw Error(where + ": " + message);
            throw;
        }
    }
    return sections;
}

}  // namespace vk::dbx
