// The installer's entry: the wizard and its dialogs as native windows, the
// package it carries as resources of this program. The program ends when the
// wizard closes: exit code 0 after a successful installation or none, 1 when
// the installation failed or another installer was running.
#include <windows.h>

#include "engine/InstallationLock.h"
#include "forms/Application.h"
#include "forms/FrontEnd.h"
#include "platform/Resources.h"
#include "view/Win32FrontEnd.h"
#include "wizard/SetupForms.h"

// The package word of this build. A package maker's build may name another
// profile (the tests build a client-only installer this way).
#ifndef VK_SETUP_PACKAGE_FLAGS
#define VK_SETUP_PACKAGE_FLAGS vk::kPackageFlags
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vk::forms::setApplicationTitle("Установка");
    vk::view::Win32FrontEnd frontEnd;
    vk::forms::FrontEndScope scope(frontEnd);
    // Held until the program ends; a second installer changes nothing.
    const auto onlyInstallation = vk::LockInstallation();
    if (!onlyInstallation) {
        vk::forms::ShowMessageDlg(std::string(vk::kAnotherInstallationRuns), vk::forms::MsgDlgType::Warning,
                                  vk::forms::mbOK);
        return 1;
    }
    vk::SetupForms forms([](std::string_view name) { return vk::platform::ownResource(name); },
                         VK_SETUP_PACKAGE_FLAGS);
    frontEnd.run(forms.fmSetup);
    return forms.fmSetup.Result == vk::TfmSetup::RunResult::Failed ? 1 : 0;
}
