// The demo package's database client library (GDS32.DLL in its Firebird and
// Yaffil variants): a library that loads and carries the version strings the
// installer reads (ClientLibrary.rc); it offers no entry of its own.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
