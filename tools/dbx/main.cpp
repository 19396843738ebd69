// dbx: shows and builds connection files (compound files of static-set streams).
#include <iostream>
#include <string>
#include <vector>

#include "../ToolMain.h"
#include "Commands.h"
#include "platform/Error.h"

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

int toolMain(const std::vector<std::string>& args) { return run(args); }
