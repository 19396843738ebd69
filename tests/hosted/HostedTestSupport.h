#pragma once
// Helpers for the tests of the hosted machine itself.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/hosted/HostedMachine.h"
#include "support/TestFiles.h"

namespace vk::platform::hosted::test {

using vk::test::readHostFile;
using vk::test::writeHostFile;

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
