#include "WindowDump.h"

#include <commctrl.h>

#include <algorithm>

#include "WindowQueries.h"
#include "forms/Dump.h"
#include "platform/win32/Wide.h"
#include "view/WindowNames.h"

namespace vk::uidrive {

namespace {

using forms::ControlKind;

constexpr int kTextLength = 1024;

LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

// The children the view made, in the order it made them (their ids).
std::vector<HWND> controlsUnder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (controlKind(child)) children.push_back(child);
    std::sort(children.begin(), children.end(),
              [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    return children;
}

// Reads a list view's texts through a block of the program's memory: an
// item with its text buffer behind it.
class RemoteItem {
public:
    explicit RemoteItem(HANDLE process)
        : process_(process),
          block_(static_cast<BYTE*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kTextLength * sizeof(wchar_t),
                                                   MEM_COMMIT, PAGE_READWRITE))) {}
    ~RemoteItem() {
        if (block_) VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
    }
    RemoteItem(const RemoteItem&) = delete;
    RemoteItem& operator=(const RemoteItem&) = delete;

    std::string text(HWND list, int row, int column) {
        if (!block_) return {};
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<LPWSTR>(block_ + sizeof(LVITEMW));
        item.cchTextMax = kTextLength;
        if (!WriteProcessMemory(process_, block_, &item, sizeof(item), nullptr)) return {};
        const auto length = static_cast<std::size_t>(
            std::clamp<LRESULT>(ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block_)), 0,
                                kTextLength - 1));
        std::wstring text(length, L'\0');
        if (!ReadProcessMemory(process_, block_ + sizeof(LVITEMW), text.data(), length * sizeof(wchar_t), nullptr))
            return {};
        return platform::win32::narrow(text);
    }

private:
    HANDLE process_;
    BYTE* block_;
};

std::vector<forms::ListItem> rowsOf(HWND list, HANDLE process) {
    const int rows = static_cast<int>(ask(list, LVM_GETITEMCOUNT));
    const int columns = static_cast<int>(ask(reinterpret_cast<HWND>(ask(list, LVM_GETHEADER)), HDM_GETITEMCOUNT));
    RemoteItem remote(process);
    std::vector<forms::ListItem> items;
    for (int row = 0; row < rows; ++row) {
        forms::ListItem item;
        item.caption = remote.text(list, row, 0);
        for (int column = 1; column < columns; ++column) item.subItems.push_back(remote.text(list, row, column));
        item.checked = ((ask(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12) == 2);
        items.push_back(std::move(item));
    }
    return items;
}

void dumpChildren(HWND parent, int depth, HANDLE process, std::vector<std::string>& lines) {
    for (HWND window : controlsUnder(parent)) {
        forms::ControlFacts facts;
        facts.depth = depth;
        facts.name = view::windowName(window);
        facts.kind = *controlKind(window);
        facts.text = windowText(window);
        facts.enabled = IsWindowEnabled(window);
        facts.visible = visibleStyle(window);
        switch (facts.kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: facts.checked = ask(window, BM_GETCHECK) == BST_CHECKED; break;
        case ControlKind::Button: {
            const int roles = view::windowNumber(window, view::kButtonProperty).value_or(0);
            facts.isDefault = roles & 1;
            facts.isCancel = roles & 2;
            break;
        }
        case ControlKind::Notebook:
            facts.page = 0;
            for (HWND page : controlsUnder(window))
                if (visibleStyle(page)) facts.page = view::windowNumber(page, view::kPageProperty).value_or(0);
            break;
        case ControlKind::ProgressBar:
            facts.position = static_cast<int>(ask(window, PBM_GETPOS));
            facts.maximum = static_cast<int>(ask(window, PBM_GETRANGE, FALSE));
            break;
        case ControlKind::ListView: facts.rows = rowsOf(window, process); break;
        default: break;
        }
        forms::addDumpLines(facts, lines);
        dumpChildren(window, depth + 1, process, lines);
    }
}

}  // namespace

std::vector<std::string> dumpWindow(HWND form, HANDLE process) {
    std::vector<std::string> lines{forms::dumpFormLine(view::windowName(form), windowText(form))};
    dumpChildren(form, 1, process, lines);
    return lines;
}

}  // namespace vk::uidrive
