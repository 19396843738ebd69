// dbx: shows and builds connection files (compound files of static-set streams).
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "platform/Error.h"

#ifdef _WIN32
#include "platform/Text.h"
#endif

namespace {

const char* const kHelp =
    "Usage: dbx COMMAND ...\n"
    "Shows and builds connection files (.dbx).\n"
    "\n"
    "  dbx list FILE                      streams of the file with their sizes in bytes\n"
    "  dbx dump [--json] [--full] FILE    rows of ssDBParams, ssSysParams and ssUpdates;\n"
    "                                     memo values by size, or in full with --full\n"
    "  dbx build DESCRIPTION OUT          makes a connection file from a text description\n"
    "                                     (format: docs/dbx.md); an existing OUT is replaced\n"
    "  dbx --help                         this text\n"
    "\n"
    "Exit status: 0 on success, 1 when a file is missing or damaged, 2 for bad usage.\n";

int usage(const std::string& problem) {
    std::cerr << "dbx: " << problem << "\n\n" << kHelp;
    return 2;
}

int run(const std::vector<std::string>& args) {
    if (args.empty()) return usage("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kHelp;
        return 0;
    }
    try {
        if (command == "list") {
            if (args.size() != 2) return usage("list takes one FILE");
            vk::dbx::listStreams(args[1], std::cout);
        } else if (command == "dump") {
            vk::dbx::DumpOptions options;
            std::vector<std::string> files;
            for (std::size_t i = 1; i < args.size(); ++i) {
                if (args[i] == "--json") options.json = true;
                else if (args[i] == "--full") options.fullMemos = true;
                else if (args[i].rfind("--", 0) == 0) return usage("unknown option " + args[i]);
                else files.push_back(args[i]);
            }
            if (files.size() != 1) return usage("dump takes one FILE");
            vk::dbx::dumpTables(files[0], options, std::cout);
        } else if (command == "build") {
            if (args.size() != 3) return usage("build takes DESCRIPTION and OUT");
            vk::dbx::buildFile(args[1], args[2]);
        } else {
            return usage("unknown command " + command);
        }
    } catch (const vk::Error& e) {
        std::cerr << "dbx: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(vk::fromUtf16(std::u16string(argv[i], argv[i] + std::char_traits<wchar_t>::length(argv[i]))));
    return run(args);
}
#else
int main(int argc, char** argv) { return run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
