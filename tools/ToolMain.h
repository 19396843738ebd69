#pragma once
// The entry point every tool shares: the arguments in UTF-8 on every system
// (Windows hands them over in UTF-16), then the tool's own toolMain.
#include <string>
#include <vector>

#include "platform/Text.h"

int toolMain(const std::vector<std::string>& args);

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(vk::fromUtf16(reinterpret_cast<const char16_t*>(argv[i])));
    return toolMain(args);
}
#else
int main(int argc, char** argv) { return toolMain(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
