// A library for the dynamic-library and version-string tests: one export of
// the DllRegisterServer kind with a result no other call gives by chance.
#include <windows.h>

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() { return HRESULT(0x80040201); }
