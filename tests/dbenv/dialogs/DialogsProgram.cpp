// The dialogs' host form as a Windows program, shown by the Win32 view: what
// the UI driver plays the dialogs' scenarios against.
#include <windows.h>

#include "DialogHost.h"
#include "view/Win32FrontEnd.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vk::view::Win32FrontEnd frontEnd;
    vk::forms::FrontEndScope scope(frontEnd);
    vk::test::TfmDialogHost form;
    frontEnd.run(form);
    return 0;
}
