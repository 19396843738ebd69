// consoleinstall SETUP: installs the package that the installer SETUP carries,
// on this machine, as a console program: the same wizard and install engine
// played headless along the default path (as setup-host plays it on a hosted
// machine), with no window shown. The baseline of the installation's time
// through Setup.exe's own windows. Exit code 0 after a successful
// installation, 1 when it failed, 2 for a bad command line or package.
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
        vk::host::PlayDefaultPath(player, forms.fmSetup);
        if (forms.fmSetup.Result == vk::TfmSetup::RunResult::Failed) {
            std::fprintf(stderr, "consoleinstall: the installation failed: %s\n", forms.fmSetup.RunFailure.c_str());
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "consoleinstall: %s\n", error.what());
        return 2;
    }
}
