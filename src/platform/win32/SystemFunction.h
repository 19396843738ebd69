#pragma once
// The shell's, COM's and the common dialogs' functions, bound when first
// called instead of imported: a program then loads those libraries (and the
// many they load in turn) only once it needs them, not before its first
// window. Each caller keeps what it got, e.g.
//   static const auto browse = systemFunction<decltype(SHBrowseForFolderW)>(L"shell32.dll", "SHBrowseForFolderW");
#include <windows.h>

namespace vk::platform::win32 {

// The library is loaded once and kept for the program's life. A library or
// function that is missing is an Error naming it.
FARPROC systemFunctionAddress(const wchar_t* library, const char* name);

template <typename Function>
Function* systemFunction(const wchar_t* library, const char* name) {
    // Through a plain function pointer type: GetProcAddress's own says nothing of the signature.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(systemFunctionAddress(library, name)));
}

}  // namespace vk::platform::win32
