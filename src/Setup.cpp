// The installer's entry: the wizard and its dialogs as native windows, the
// package it carries as resources of this program. The program ends when the
// wizard closes: exit code 0 after a successful installation or none, 1 when
// the installation failed.
#include <windows.h>

#include "forms/FrontEnd.h"
#include "platform/Resources.h"
#include "view/Win32FrontEnd.h"
#include "wizard/SetupForms.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vk::view::Win32FrontEnd frontEnd;
    vk::forms::FrontEndScope scope(frontEnd);
    vk::SetupForms forms([](std::string_view name) { return vk::platform::ownResource(name); });
    frontEnd.run(forms.fmSetup);
    return forms.fmSetup.Result == vk::TfmSetup::RunResult::Failed ? 1 : 0;
}
