// Firebird_6-2-3-972-Win32.exe of the demo package: stands beside Setup.exe
// where the database server's installer would, and says so.
#include "DemoWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return vk::demo::runDemoWindow(instance, L"Установка сервера Firebird 1.0.3.972",
                                   L"Демонстрационная программа установки сервера баз данных Firebird 1.0.3.972.\r\n"
                                   L"Она ничего не устанавливает: закройте окно, чтобы вернуться в программу установки.");
}
