#pragma once
// What an installation and its removal can change on this machine, as text
// to compare: a listing of drive C (every folder, every file with its size)
// and "reg export" of the registry keys they touch.
#include <string>
#include <vector>

namespace vk::test {

struct MachineState {
    std::vector<std::string> lines;  // sorted
};

// Drive C, apart from the users' profiles (the temporary folder, and Wine's
// links to the host's folders), which other programs change at any time;
// within them only the folders given (the test's own). Then the exports.
MachineState readMachineState(const std::vector<std::string>& profileFoldersToList,
                              const std::vector<std::string>& registryKeys);

// The lines only one side has, "- line" for before and "+ line" for after,
// one a line; empty when the two agree.
std::string differences(const MachineState& before, const MachineState& after);

}  // namespace vk::test
