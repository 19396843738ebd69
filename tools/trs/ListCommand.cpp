// trs list [--json] FILE: the header, the field descriptors and every record.
#include "Commands.h"
#include "HostFile.h"
#include "PayloadSource.h"
#include "../JsonText.h"
#include "platform/Error.h"

namespace vk::trs {

namespace {

std::string typeName(FieldType type) {
    static const char* const names[] = {"unknown", "string",  "smallint", "integer",    "word",     "boolean",
                                        "float",   "currency", "bcd",     "date",       "time",     "datetime",
                                        "bytes",   "varbytes", "autoinc", "blob",       "memo",     "graphic",
                                        "fmtmemo", "paradoxole", "dbaseole", "typedbinary"};
    const auto code = static_cast<std::size_t>(type);
    return code < std::size(names) ? names[code] : "type " + std::to_string(code);
}

bool isNumber(FieldType type) {
    return type == FieldType::SmallInt || type == FieldType::Integer || type == FieldType::Word ||
           type == FieldType::AutoInc;
}

using tools::jsonString;

// A value as list shows it: null, a blob's size, a number or a quoted text.
std::string shownValue(TTransporter& t, int i, bool json) {
    const FieldType type = t.fieldDefs()[static_cast<std::size_t>(i)].type;
    if (t.isNull(i)) return "null";
    if (isBlobType(type))
        return json ? "{\"blobSize\": " + std::to_string(t.blobSize(i)) + "}" : "<" + std::to_string(t.blobSize(i)) + " bytes>";
    if (isNumber(type)) return t.asString(i);
    return json ? jsonString(t.asString(i)) : "\"" + t.asString(i) + "\"";
}

void printText(TTransporter& t, const std::string& file, const PayloadCheck& check, std::ostream& out) {
    const TransportHeader& h = t.header();
    out << file << "\n"
        << "records " << h.recordCount << ", fields " << h.fieldCount << ", data start " << h.dataStart
        << ", data end " << h.dataEnd << ", reserved " << h.reserved << "\n";
    if (check.present) out << check.report << "\n";
    for (int i = 0; i < t.fieldCount(); ++i) {
        const FieldDef& def = t.fieldDefs()[static_cast<std::size_t>(i)];
        out << "field " << i << ": " << def.name << " " << typeName(def.type) << " (code "
            << static_cast<int>(def.type) << ", size " << def.size << ")\n";
    }
    int number = 0;
    for (t.first(); !t.eof(); t.next()) {
        out << "record " << ++number << " at " << t.recordOffset() << ":";
        for (int i = 0; i < t.fieldCount(); ++i)
            out << " " << t.fieldDefs()[static_cast<std::size_t>(i)].name << "=" << shownValue(t, i, false);
        out << "\n";
    }
}

void printJson(TTransporter& t, const std::string& file, const PayloadCheck& check, std::ostream& out) {
    const TransportHeader& h = t.header();
    out << "{\n  \"file\": " << jsonString(file) << ",\n";
    if (check.present)
        out << "  \"payloadCheck\": {\"holds\": " << (check.holds ? "true" : "false")
            << ", \"report\": " << jsonString(check.report) << "},\n";
    out << "  \"header\": {\"recordCount\": " << h.recordCount
        << ", \"fieldCount\": " << h.fieldCount << ", \"dataStart\": " << h.dataStart
        << ", \"dataEnd\": " << h.dataEnd << ", \"reserved\": " << h.reserved << "},\n  \"fields\": [";
    for (int i = 0; i < t.fieldCount(); ++i) {
        const FieldDef& def = t.fieldDefs()[static_cast<std::size_t>(i)];
        out << (i ? ",\n" : "\n") << "    {\"name\": " << jsonString(def.name) << ", \"type\": "
            << static_cast<int>(def.type) << ", \"typeName\": " << jsonString(typeName(def.type))
            << ", \"size\": " << def.size << "}";
    }
    out << "\n  ],\n  \"records\": [";
    bool firstRecord = true;
    for (t.first(); !t.eof(); t.next(), firstRecord = false) {
        out << (firstRecord ? "\n" : ",\n") << "    {\"offset\": " << t.recordOffset() << ", \"values\": {";
        for (int i = 0; i < t.fieldCount(); ++i)
            out << (i ? ", " : "") << jsonString(t.fieldDefs()[static_cast<std::size_t>(i)].name) << ": "
                << shownValue(t, i, true);
        out << "}}";
    }
    out << "\n  ]\n}\n";
}

}  // namespace

int listCommand(const Args& args, std::ostream& out) {
    const bool json = !args.empty() && args[0] == "--json";
    if (args.size() != (json ? 2u : 1u)) throw UsageError{"list takes [--json] FILE"};
    const auto file = hostPath(args.back());
    TTransporter table;
    openTransport(table, file);
    const PayloadCheck check = checkPayload(file);
    if (json)
        printJson(table, displayPath(file), check, out);
    else
        printText(table, displayPath(file), check, out);
    // Listed all the same, so that one sees what the damage is in.
    if (check.present && !check.holds) throw Error(check.report);
    return 0;
}

}  // namespace vk::trs
