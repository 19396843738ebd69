#pragma once
// The commands of the dbx tool. Each writes its result to out and throws
// Error (naming the file and what is wrong) on failure.
#include <ostream>
#include <string>

namespace vk::dbx {

struct DumpOptions {
    bool json = false;
    bool fullMemos = false;   // memo values in full instead of their size
};

void listStreams(const std::string& file, std::ostream& out);
void dumpTables(const std::string& file, const DumpOptions& options, std::ostream& out);
void buildFile(const std::string& description, const std::string& file);

}  // namespace vk::dbx
