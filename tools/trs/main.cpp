// trs: list, extract and pack transport streams; compress and expand SZDD files.
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "Commands.h"
#include "platform/Error.h"
#include "../ToolMain.h"

namespace vk::trs {

namespace {

const char* const kHelp = R"(Usage: trs COMMAND ARGUMENTS

Transport streams are the tables an installer carries its files in (the
payload) and writes its install log to. FILE may also be an executable whose
RCDATA resource TRSData holds the payload.

  trs list [--json] FILE
      The header's figures, the field descriptors and every record's values;
      a null value shows as null, a blob by its size.
  trs extract [--manifest M] FILE DIR
      Writes every record's Данные value, expanded when it is SZDD data, into
      DIR under the stored file name (ИмяФайла). A name that is not a plain
      file name (a path separator, a drive, "..", a device name) is refused
      and nothing is written. With --manifest, also writes a pack manifest
      to M that packs the extracted files again.
  trs pack MANIFEST OUT
      Builds a payload from a manifest: a UTF-8 text, one file a line, four
      fields separated by tabs:  name  kind  index  source
      name: the stored name (at most 64 characters); kind: the file kind code;
      index: a configuration number or empty; source: the file, relative to
      the manifest's folder. Lines starting with # are comments. Each source
      is compressed as SZDD.
  trs compress IN OUT
      Compresses IN into the SZDD format (mode A).
  trs expand IN OUT
      Expands the SZDD file IN into OUT; a non-SZDD input is copied unchanged.
  trs checksum PAYLOAD OUT
      Writes the check an installer carries of its payload (the resource
      TRSCheck): the CRC-32 of PAYLOAD's bytes, 4 bytes little-endian. The
      installer refuses a payload that does not match before it writes
      anything; list reports whether an installer's check holds.
  trs --help
      This text.

Exit status: 0 on success, 1 when a file is bad or cannot be read or written
(the message names the file and what is wrong), 2 for a wrong command line.
)";

int run(const std::vector<std::string>& args) {
    using Command = int (*)(const Args&, std::ostream&);
    static const std::map<std::string, Command> commands = {
        {"list", listCommand},         {"extract", extractCommand}, {"pack", packCommand},
        {"compress", compressCommand}, {"expand", expandCommand},   {"checksum", checksumCommand},
    };
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kHelp;
        return args.empty() ? 2 : 0;
    }
    auto command = commands.find(args[0]);
    try {
        if (command == commands.end()) throw UsageError{"unknown command \"" + args[0] + "\""};
        return command->second(Args(args.begin() + 1, args.end()), std::cout);
    } catch (const UsageError& e) {
        std::cerr << "trs: " << e.message << " (see trs --help)\n";
        return 2;
    } catch (const Error& e) {
        std::cerr << "trs: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "trs: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace

}  // namespace vk::trs

int toolMain(const std::vector<std::string>& args) { return vk::trs::run(args); }

