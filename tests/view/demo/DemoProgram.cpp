// The demonstration form of the kit's tests as a Windows program, shown by
// the Win32 view: what the UI driver plays demo.scenario against.
#include <windows.h>

#include "forms/DemoForm.h"
#include "view/Win32FrontEnd.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vk::view::Win32FrontEnd frontEnd;
    vk::forms::FrontEndScope scope(frontEnd);
    vk::forms::demo::TfmDemo form;
    frontEnd.run(form);
    return 0;
}
