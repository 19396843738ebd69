#pragma once
// Helpers for the tests of the hosted machine itself.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/hosted/HostedMachine.h"

namespace vk::platform::hosted::test {

inline std::string readHostFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void writeHostFile(const std::filesystem::path& file, const std::string& content) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

// Rewrites machine.ini of the selected machine and selects it again.
inline void reconfigure(const std::string& machineIni) {
    std::filesystem::path root = machineFolder();
    writeHostFile(root / "machine.ini", machineIni);
    useMachine(root);
}

// Expects action() to throw an Error whose message starts with expected.
template <typename Action>
void expectErrorStartingWith(Action action, const std::string& expected) {
    try {
        action();
        ADD_FAILURE() << "no error; expected \"" << expected << "...\"";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind(expected, 0), 0u) << error.what();
    }
}

}  // namespace vk::platform::hosted::test
