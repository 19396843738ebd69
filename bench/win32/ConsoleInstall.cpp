// consoleinstall SETUP: installs the package that the installer SETUP carries,
// on this machine, as a console program: the same wizard and install engine
// played headless along the default path (as setup-host plays it on a hosted
// machine), with no window shown. The baseline of the installation's time
// through Setup.exe's own windows. Exit code 0 after a successful
// installation, 1 when it failed, 2 for a bad command line or package.
// Prints on stderr how long its longest step took: the installation's.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "DefaultPath.h"
#include "forms/Player.h"
#include "forms/Transcript.h"
#include "platform/FileSystem.h"
#include "platform/PeImage.h"
#include "platform/win32/Wide.h"
#include "wizard/SetupForms.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: consoleinstall SETUP\n");
        return 2;
    }
    const std::string setup = vk::platform::win32::narrow(argv[1]);
    try {
        vk::forms::Transcript transcript;
        vk::forms::Player player(transcript);
        // The installer's resources, read from its file as it reads its own.
        vk::SetupForms forms([&setup](std::string_view name) {
            return vk::platform::rcDataResource(vk::platform::openFile(setup, vk::platform::FileMode::OpenRead), name,
                                                std::string(name));
        });
        // Timed step by step as the UI driver times Setup.exe's: the longest
        // is the installation's, from Next on the install page to the next page.
        auto longest = std::chrono::milliseconds(0);
        int longestLine = 0;
        for (int line = 1; !forms.fmSetup.ended(); ++line) {
            const auto started = std::chrono::steady_clock::now();
            vk::host::PlayDefaultStep(player, forms.fmSetup, line);
            const auto took =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
            if (took > longest) longest = took, longestLine = line;
        }
        if (forms.fmSetup.Result == vk::TfmSetup::RunResult::Failed) {
            std::fprintf(stderr, "consoleinstall: the installation failed: %s\n", forms.fmSetup.RunFailure.c_str());
            return 1;
        }
        std::fprintf(stderr, "consoleinstall: the longest step, line %d, took %lld ms\n", longestLine,
                     static_cast<long long>(longest.count()));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "consoleinstall: %s\n", error.what());
        return 2;
    }
}
