// consoleinstall SETUP: installs the package that the installer SETUP carries,
// on this machine, as a console program: the same wizard and install engine
// played headless along the default path (as setup-host plays it on a hosted
// machine), with no window shown. The baseline of the installation's time
// through Setup.exe's own windows. Exit code 0 after a successful
// installation, 1 when it failed, 2 for a bad command line or package.
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "DefaultPath.h"
#include "forms/Player.h"
#include "forms/Transcript.h"
#include "platform/FileSystem.h"
#include "platform/PeImage.h"
#include "platform/Stream.h"
#include "platform/win32/Wide.h"
#include "wizard/SetupForms.h"

namespace {

// A resource of the installer's file, as the installer reads its own.
std::unique_ptr<vk::Stream> resourceOf(const std::string& image, std::string_view name) {
    auto file = vk::platform::openFile(image, vk::platform::FileMode::OpenRead);
    vk::platform::PeImage pe(*file);
    const auto where = pe.findResource(vk::platform::kResourceTypeRcData, name);
    if (!where) return nullptr;
    return std::make_unique<vk::StreamWindow>(std::move(file), where->offset, where->size, std::string(name));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: consoleinstall SETUP\n");
        return 2;
    }
    const std::string setup = vk::platform::win32::narrow(argv[1]);
    try {
        vk::forms::Transcript transcript;
        vk::forms::Player player(transcript);
        vk::SetupForms forms([&setup](std::string_view name) { return resourceOf(setup, name); });
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
