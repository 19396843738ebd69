#pragma once
// The marks every native window of a form carries, so that a program outside
// (the UI driver) can find and read it with window messages alone: window
// properties holding the component's name (a global atom) and numbers.
#include <windows.h>

#include <optional>
#include <string>

namespace vk::view {

inline constexpr wchar_t kNameProperty[] = L"VkName";          // the control's or form's name
inline constexpr wchar_t kKindProperty[] = L"VkKind";          // the control's forms::ControlKind
inline constexpr wchar_t kPageProperty[] = L"VkPage";          // a page: its index in its notebook
inline constexpr wchar_t kPagesProperty[] = L"VkPages";        // the notebook the form's pages are
inline constexpr wchar_t kButtonProperty[] = L"VkButton";      // a button: 1 default, 2 cancel, 3 both
inline constexpr wchar_t kResultProperty[] = L"VkDialogResult"; // a form: the modal result of the
                                                               // last dialog shown over it

// Sent to a form's window by a program outside before it looks for a
// control: the form makes the controls of the pages that have not shown yet.
inline constexpr wchar_t kMakeAllControlsMessage[] = L"VkMakeAllControls";
UINT makeAllControlsMessage();

// The name's atom is the caller's to release (GlobalDeleteAtom) once the
// window is gone; its properties go with it.
ATOM setWindowName(HWND window, const std::string& name);
// The name, or empty for a window that carries none.
std::string windowName(HWND window);
void setWindowNumber(HWND window, const wchar_t* property, int value);
std::optional<int> windowNumber(HWND window, const wchar_t* property);

}  // namespace vk::view
