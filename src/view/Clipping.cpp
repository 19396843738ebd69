#include "view/Clipping.h"

#include <windows.h>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "platform/win32/Wide.h"
#include "view/FormWindow.h"

namespace vk::view {

namespace {

// The room a control's text has: a check box's or radio button's box and
// gap take their part, a button's frame its border.
RECT textRoom(const forms::Control& control, HWND native, const Metrics& metrics) {
    RECT room;
    GetClientRect(native, &room);
    switch (control.kind()) {
    case forms::ControlKind::CheckBox:
    case forms::ControlKind::RadioButton: room.right -= metrics.scale(17); break;
    case forms::ControlKind::Button: InflateRect(&room, -metrics.scale(3), -metrics.scale(3)); break;
    default: break;
    }
    return room;
}

}  // namespace

std::vector<std::string> clippedControls(FormWindow& window) {
    window.makeAllControls();
    std::vector<std::string> clipped;
    for (forms::Control* control : window.form().allControls()) {
        const auto kind = control->kind();
        const bool wraps = kind == forms::ControlKind::Label || kind == forms::ControlKind::LinkLabel;
        const bool single = kind == forms::ControlKind::Button || kind == forms::ControlKind::CheckBox ||
                            kind == forms::ControlKind::RadioButton;
        if ((!wraps && !single) || control->caption().empty()) continue;
        HWND native = window.windowOf(*control);
        const RECT room = textRoom(*control, native, window.metrics());
        const std::wstring text = platform::win32::wide(control->caption());
        HDC dc = GetDC(native);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(native, WM_GETFONT, 0, 0)));
        RECT needed = {0, 0, room.right - room.left, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | (wraps ? DT_WORDBREAK | DT_NOPREFIX : DT_SINGLELINE));
        SelectObject(dc, previous);
        ReleaseDC(native, dc);
        const int hasWidth = room.right - room.left;
        const int hasHeight = room.bottom - room.top;
        if (needed.right > hasWidth || needed.bottom > hasHeight)
            clipped.push_back(control->name() + ": needs " + std::to_string(needed.right) + " x " +
                              std::to_string(needed.bottom) + ", has " + std::to_string(hasWidth) + " x " +
                              std::to_string(hasHeight));
    }
    return clipped;
}

}  // namespace vk::view
