#pragma once
// Readable parameterized tests: names that say what each case is, and
// parameters that GoogleTest prints by name rather than as raw bytes, so that
// the test list (ctest -N) reads as sentences.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace vk::test {

// Words as one test name: "header size larger than the body" gives
// "HeaderSizeLargerThanTheBody"; anything but ASCII letters and digits parts words.
inline std::string testName(std::string_view words) {
    std::string name;
    bool wordStart = true;
    for (char c : words) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) {
            wordStart = true;
            continue;
        }
        name += wordStart && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        wordStart = false;
    }
    return name;
}

// The name generator of cases that describe themselves in a member `what`.
struct NamedByWhat {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return testName(info.param.what);
    }
};

}  // namespace vk::test

namespace vk::platform {

inline const char* rootKeyName(RootKey root) {
    switch (root) {
        case RootKey::LocalMachine: return "LocalMachine";
        case RootKey::CurrentUser: return "CurrentUser";
        case RootKey::ClassesRoot: break;
    }
    return "ClassesRoot";
}

// Found by GoogleTest through the root key's namespace.
inline void PrintTo(RootKey root, std::ostream* out) { *out << rootKeyName(root); }

}  // namespace vk::platform
