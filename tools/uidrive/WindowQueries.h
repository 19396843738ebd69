#pragma once
// What the driver reads from another program's windows, by messages and the
// marks the Win32 view left on them.
#include <windows.h>

#include <optional>
#include <string>

#include "forms/Control.h"

namespace vk::uidrive {

// The longest the driver waits for a window to answer a message.
inline constexpr UINT kAnswerTimeoutMs = 30000;

// A window's text through WM_GETTEXT (a combo box's: its selected item).
std::string windowText(HWND window);
// The control of that name among the window's descendants, or null.
HWND findNamed(HWND root, const std::string& name);
// The first descendant that carries the property, or null.
HWND findMarked(HWND root, const wchar_t* property);
std::optional<forms::ControlKind> controlKind(HWND window);
// It and every parent below the top-level window are enabled.
bool usable(HWND window);
// Has WS_VISIBLE itself, whatever its parents.
bool visibleStyle(HWND window);
bool isSystemDialog(HWND window);
// A visible top-level window of that title shown by a process other than
// the one given, or null.
HWND findOthersWindow(const std::string& title, DWORD exceptProcess);

}  // namespace vk::uidrive
