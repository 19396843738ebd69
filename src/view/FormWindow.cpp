#include "view/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "forms/Controls.h"
#include "forms/FrontEnd.h"
#include "forms/ListView.h"
#include "forms/Notebook.h"
#include "platform/win32/Wide.h"
#include "view/WindowNames.h"

namespace vk::view {

using namespace forms;
using platform::win32::narrow;
using platform::win32::wide;

namespace {

constexpr wchar_t kFormClass[] = L"VkForm";
constexpr wchar_t kContainerClass[] = L"VkContainer";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which Enter and Esc send
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr int kDropDownHeight = 150;
constexpr auto kProgressFrame = std::chrono::milliseconds(40);  // a progress bar's drawings at most 25 a second
constexpr UINT_PTR kProgressTimer = 1;

void registerClasses(WNDPROC formProc, WNDPROC containerProc) {
    static const bool registered = [&] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpfnWndProc = formProc;
        windowClass.lpszClassName = kFormClass;
        RegisterClassExW(&windowClass);
        windowClass.lpfnWndProc = containerProc;
        windowClass.lpszClassName = kContainerClass;
        RegisterClassExW(&windowClass);
        return true;
    }();
    (void)registered;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

DWORD alignmentStyle(Alignment alignment) {
    switch (alignment) {
    case Alignment::Center: return SS_CENTER;
    case Alignment::Right: return SS_RIGHT;
    case Alignment::Left: break;
    }
    return SS_LEFT;
}

// The system icon of a message type ("icon:warning"), or nothing.
LPCWSTR systemIcon(const std::string& image) {
    if (image == "icon:warning") return MAKEINTRESOURCEW(32515);      // IDI_WARNING
    if (image == "icon:error") return MAKEINTRESOURCEW(32513);        // IDI_ERROR
    if (image == "icon:information") return MAKEINTRESOURCEW(32516);  // IDI_INFORMATION
    if (image == "icon:confirmation") return MAKEINTRESOURCEW(32514); // IDI_QUESTION
    return nullptr;
}

// A page is shown only while its notebook shows it.
bool nativelyVisible(const Control& control) {
    if (!control.visible()) return false;
    auto* page = dynamic_cast<const Page*>(&control);
    if (!page) return true;
    auto& notebook = static_cast<const Notebook&>(page->parent());
    return notebook.activePage() == page;
}

}  // namespace

FormWindow::FormWindow(Form& form, HWND owner, const Metrics& metrics)
    : form_(form), metrics_(metrics), face_(GetSysColorBrush(COLOR_BTNFACE)) {
    registerClasses(formProc, containerProc);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame = {0, 0, metrics_.scale(form.clientWidth()), metrics_.scale(form.clientHeight())};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    window_ = CreateWindowExW(exStyle, kFormClass, wide(form.caption()).c_str(), style, left, top, width, height,
                              owner, nullptr, GetModuleHandleW(nullptr), this);
    nameAtoms_.push_back(setWindowName(window_, form.name()));
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    numberControls(form);
    ++updating_;
    createChildren(form, window_);
    --updating_;
    form_.addObserver(*this);
}

FormWindow::~FormWindow() {
    form_.removeObserver(*this);
    // The marks go with the windows, at once for a program outside; the names'
    // atoms are released after, so that none is read back once released.
    // Removing each mark first cost a server round trip each, some 50 ms
    // for the wizard under Wine. A hidden window is not looked at from outside.
    if (leftToProgramEnd_) {
        ShowWindow(window_, SW_HIDE);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);  // its messages no longer reach this object
    } else {
        DestroyWindow(window_);
    }
    for (ATOM atom : nameAtoms_) GlobalDeleteAtom(atom);
}

void FormWindow::show() {
    ShowWindow(window_, SW_SHOW);
    if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
    UpdateWindow(window_);
}

bool FormWindow::translate(MSG& message) { return IsDialogMessageW(window_, &message); }

HWND FormWindow::windowOf(const Control& control) const {
    auto found = natives_.find(&control);
    return found == natives_.end() ? nullptr : found->second;
}

Control* FormWindow::controlOf(HWND native) const {
    auto found = controls_.find(native);
    return found == controls_.end() ? nullptr : found->second;
}

void FormWindow::numberControls(const Container& parent) {
    for (const Control* control : parent.controls()) {
        ids_.emplace(control, kFirstControlId + static_cast<int>(ids_.size()));
        numberControls(*control);
    }
}

void FormWindow::createChildren(Container& parent, HWND parentWindow) {
    for (Control* control : parent.controls()) {
        HWND native = createNative(*control, parentWindow, ids_.at(control));
        controls_[native] = control;
        natives_[control] = native;
        nameAtoms_.push_back(setWindowName(native, control->name()));
        setWindowNumber(native, kKindProperty, static_cast<int>(control->kind()));
        if (auto* page = dynamic_cast<Page*>(control)) setWindowNumber(native, kPageProperty, page->index());
        if (control == form_.pageNotebook()) setWindowNumber(native, kPagesProperty, 0);
        if (auto* button = dynamic_cast<Button*>(control)) markButton(*button, native);
        fill(*control, native);
        if (!control->hint().empty()) controlChanged(*control, Property::Hint, -1);
        auto* page = dynamic_cast<Page*>(control);
        if (page && !nativelyVisible(*page))
            unmade_.push_back(page);
        else
            createChildren(*control, native);
    }
}

void FormWindow::makePageControls(const Control& page) {
    const auto found = std::find(unmade_.begin(), unmade_.end(), &page);
    if (found == unmade_.end()) return;
    Control* made = *found;
    unmade_.erase(found);
    ++updating_;
    createChildren(*made, windowOf(*made));
    --updating_;
}

void FormWindow::makeAllControls() {
    while (!unmade_.empty()) makePageControls(*unmade_.front());
}

HWND FormWindow::createNative(Control& control, HWND parentWindow, int id) {
    DWORD style = WS_CHILD | (nativelyVisible(control) ? WS_VISIBLE : 0) | (control.enabled() ? 0 : WS_DISABLED);
    DWORD exStyle = 0;
    const wchar_t* windowClass = L"STATIC";
    std::wstring text = wide(control.caption());
    RECT rect = metrics_.rect(control.bounds());
    switch (control.kind()) {
    case ControlKind::Button:
        windowClass = L"BUTTON";
        style |= WS_TABSTOP | (static_cast<Button&>(control).isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ControlKind::Label: style |= SS_NOPREFIX | alignmentStyle(static_cast<Label&>(control).alignment()); break;
    case ControlKind::LinkLabel:
        style |= SS_NOTIFY | SS_NOPREFIX | alignmentStyle(static_cast<Label&>(control).alignment());
        break;
    case ControlKind::Edit:
        windowClass = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        text = wide(control.text());
        break;
    case ControlKind::CheckBox: windowClass = L"BUTTON"; style |= WS_TABSTOP | BS_CHECKBOX; break;
    case ControlKind::RadioButton: windowClass = L"BUTTON"; style |= WS_TABSTOP | BS_RADIOBUTTON; break;
    case ControlKind::ComboBox:
        windowClass = L"COMBOBOX";
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
        rect.bottom += metrics_.scale(kDropDownHeight);  // the height of the open list
        break;
    case ControlKind::ListView:
        windowClass = WC_LISTVIEWW;
        style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::Notebook:
    case ControlKind::Page:
    case ControlKind::Panel:
        windowClass = kContainerClass;
        exStyle |= WS_EX_CONTROLPARENT;
        break;
    case ControlKind::ProgressBar: windowClass = PROGRESS_CLASSW; break;
    case ControlKind::Picture:
        style |= SS_CENTERIMAGE | (systemIcon(static_cast<Picture&>(control).image()) ? SS_ICON : SS_BITMAP);
        text.clear();
        break;
    }
    HWND native = CreateWindowExW(exStyle, windowClass, text.c_str(), style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parentWindow,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (auto* panel = dynamic_cast<Panel*>(&control))
        SetWindowLongPtrW(native, GWLP_USERDATA, static_cast<LONG_PTR>(panel->bevel()));
    const HFONT font = control.kind() == ControlKind::LinkLabel ? metrics_.linkFont()
                       : control.bold()                         ? metrics_.boldFont()
                                                                : metrics_.font();
    SendMessageW(native, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (auto* list = dynamic_cast<ListView*>(&control)) {
        SendMessageW(native, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                     LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        int index = 0;
        for (const ListColumn& column : list->columns()) {
            std::wstring caption = wide(column.caption);
            LVCOLUMNW info = {};
            info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            info.fmt = column.alignment == Alignment::Center ? LVCFMT_CENTER
                       : column.alignment == Alignment::Right ? LVCFMT_RIGHT
                                                              : LVCFMT_LEFT;
            info.cx = metrics_.scale(column.width);
            info.pszText = caption.data();
            SendMessageW(native, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&info));
        }
    }
    return native;
}

// The state beyond what creation gave: marks, rows, items, ranges, images.
void FormWindow::fill(Control& control, HWND native) {
    ++updating_;
    switch (control.kind()) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: controlChanged(control, Property::Checked, -1); break;
    case ControlKind::ListView: showRows(native, control); break;
    case ControlKind::ComboBox: {
        auto& combo = static_cast<ComboBox&>(control);
        SendMessageW(native, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : combo.items())
            SendMessageW(native, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
        SendMessageW(native, CB_SETCURSEL, static_cast<WPARAM>(combo.itemIndex()), 0);
        break;
    }
    case ControlKind::ProgressBar: {
        auto& bar = static_cast<ProgressBar&>(control);
        std::erase(pendingPositions_, &bar);
        SendMessageW(native, PBM_SETRANGE32, 0, bar.maximum());
        SendMessageW(native, PBM_SETPOS, static_cast<WPARAM>(bar.position()), 0);
        break;
    }
    case ControlKind::Picture: {
        const std::string& image = static_cast<Picture&>(control).image();
        if (LPCWSTR icon = systemIcon(image)) {
            const int size = metrics_.scale(32);
            HANDLE handle = LoadImageW(nullptr, icon, IMAGE_ICON, size, size, LR_SHARED);
            SendMessageW(native, STM_SETICON, reinterpret_cast<WPARAM>(handle), 0);
        } else {
            HANDLE bitmap = LoadImageW(GetModuleHandleW(nullptr), wide(image).c_str(), IMAGE_BITMAP, 0, 0, LR_SHARED);
            SendMessageW(native, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        }
        break;
    }
    default: break;
    }
    --updating_;
}

void FormWindow::showRows(HWND native, const Control& control) {
    const auto& list = static_cast<const ListView&>(control);
    SendMessageW(native, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < list.count(); ++row) {
        const ListItem& item = *list.item(row);
        std::wstring caption = wide(item.caption);
        LVITEMW info = {};
        info.mask = LVIF_TEXT;
        info.iItem = row;
        info.pszText = caption.data();
        SendMessageW(native, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&info));
        for (std::size_t column = 0; column < item.subItems.size(); ++column) {
            std::wstring text = wide(item.subItems[column]);
            info.iSubItem = static_cast<int>(column + 1);
            info.pszText = text.data();
            SendMessageW(native, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&info));
        }
        showRowCheck(native, row, item.checked);
    }
}

void FormWindow::showRowCheck(HWND native, int row, bool checked) {
    LVITEMW state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(native, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

void FormWindow::markButton(const Button& button, HWND native) {
    setWindowNumber(native, kButtonProperty, (button.isDefault() ? 1 : 0) | (button.isCancel() ? 2 : 0));
}

void FormWindow::showState(Control& control, HWND native) {
    const bool visible = nativelyVisible(control);
    // A page gets its controls before it shows, so that it shows whole.
    if (visible) makePageControls(control);
    ShowWindow(native, visible ? SW_SHOWNA : SW_HIDE);
}

void FormWindow::showPosition(const ProgressBar& bar, HWND native) {
    const auto now = std::chrono::steady_clock::now();
    const bool end = bar.position() == 0 || bar.position() == bar.maximum();
    if (end || now - positionDrawn_ >= kProgressFrame) {
        std::erase(pendingPositions_, &bar);
        SendMessageW(native, PBM_SETPOS, static_cast<WPARAM>(bar.position()), 0);
        positionDrawn_ = now;
        return;
    }
    if (std::find(pendingPositions_.begin(), pendingPositions_.end(), &bar) != pendingPositions_.end()) return;
    pendingPositions_.push_back(&bar);
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(kProgressFrame - (now - positionDrawn_));
    SetTimer(window_, kProgressTimer, static_cast<UINT>(wait.count()), nullptr);
}

void FormWindow::drawPendingPositions() {
    KillTimer(window_, kProgressTimer);
    for (const ProgressBar* bar : std::exchange(pendingPositions_, {}))
        if (HWND native = windowOf(*bar)) SendMessageW(native, PBM_SETPOS, static_cast<WPARAM>(bar->position()), 0);
    positionDrawn_ = std::chrono::steady_clock::now();
}

void FormWindow::controlChanged(Control& control, Property property, int index) {
    HWND native = windowOf(control);
    if (!native) return;
    ++updating_;
    switch (property) {
    case Property::Caption: SetWindowTextW(native, wide(control.caption()).c_str()); break;
    case Property::Text:
        if (narrow(windowText(native)) != control.text()) SetWindowTextW(native, wide(control.text()).c_str());
        break;
    case Property::Checked:
        if (auto* list = dynamic_cast<ListView*>(&control)) {
            showRowCheck(native, index, list->item(index)->checked);
        } else {
            const bool checked = control.kind() == ControlKind::CheckBox ? static_cast<CheckBox&>(control).checked()
                                                                         : static_cast<RadioButton&>(control).checked();
            SendMessageW(native, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        break;
    case Property::Enabled: EnableWindow(native, control.enabled()); break;
    case Property::Visible: showState(control, native); break;
    case Property::Bounds: {
        const RECT rect = metrics_.rect(control.bounds());
        MoveWindow(native, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        break;
    }
    case Property::Bold:
        SendMessageW(native, WM_SETFONT, reinterpret_cast<WPARAM>(control.bold() ? metrics_.boldFont() : metrics_.font()),
                     TRUE);
        break;
    case Property::Hint: {
        std::wstring hint = wide(control.hint());
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(native);
        tool.lpszText = hint.data();
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        if (!hint.empty()) SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        break;
    }
    case Property::Default:
        SendMessageW(native, BM_SETSTYLE, static_cast<Button&>(control).isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
        markButton(static_cast<Button&>(control), native);
        break;
    case Property::Position: showPosition(static_cast<ProgressBar&>(control), native); break;
    case Property::Items:
    case Property::Maximum:
    case Property::Image: fill(control, native); break;
    case Property::ItemIndex:
        SendMessageW(native, CB_SETCURSEL, static_cast<WPARAM>(static_cast<ComboBox&>(control).itemIndex()), 0);
        break;
    case Property::PageIndex:
        for (Page* page : static_cast<Notebook&>(control).pages()) showState(*page, windowOf(*page));
        break;
    }
    --updating_;
}

void FormWindow::formCaptionChanged(Form& form) { SetWindowTextW(window_, wide(form.caption()).c_str()); }

void FormWindow::command(HWND child, int code) {
    Control* control = controlOf(child);
    if (!control || updating_ || !control->usable() || !control->showing()) return;
    switch (control->kind()) {
    case ControlKind::Button:
        if (code == BN_CLICKED) runHandler([control] { static_cast<Button*>(control)->click(); });
        break;
    case ControlKind::CheckBox:
        if (code == BN_CLICKED) runHandler([control] { static_cast<CheckBox*>(control)->click(); });
        break;
    case ControlKind::RadioButton:
        if (code == BN_CLICKED) runHandler([control] { static_cast<RadioButton*>(control)->click(); });
        break;
    case ControlKind::LinkLabel:
        if (code == STN_CLICKED) runHandler([control] { static_cast<LinkLabel*>(control)->click(); });
        break;
    case ControlKind::Edit:
        if (code == EN_CHANGE) {
            std::string text = narrow(windowText(child));
            runHandler([control, &text] { static_cast<Edit*>(control)->setText(std::move(text)); });
        }
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE) {
            const int index = static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0));
            runHandler([control, index] { static_cast<ComboBox*>(control)->userSelect(index); });
        }
        break;
    default: break;
    }
}

void FormWindow::notified(const NMHDR& header) {
    if (header.code != LVN_ITEMCHANGED || updating_) return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    auto* list = dynamic_cast<ListView*>(controlOf(header.hwndFrom));
    if (!list || !(change.uChanged & LVIF_STATE) || !((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK))
        return;
    const bool checked = ((change.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
    const int row = change.iItem;
    if (list->usable()) runHandler([list, row, checked] { list->userSetChecked(row, checked); });
    // The model has the last word: a refused or changed mark is shown as it is.
    if (const ListItem* item = list->item(row); item && item->checked != checked) {
        ++updating_;
        showRowCheck(header.hwndFrom, row, item->checked);
        --updating_;
    }
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        HWND child = reinterpret_cast<HWND>(lParam);
        if (child && controlOf(child)) {
            command(child, HIWORD(wParam));
        } else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            // Enter and Esc, through translate().
            Button* button = LOWORD(wParam) == IDOK ? form_.defaultButton() : form_.cancelButton();
            if (button) runHandler([button] { button->click(); });
        }
        return 0;
    }
    case WM_NOTIFY: notified(*reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        Control* control = controlOf(reinterpret_cast<HWND>(lParam));
        if (control && control->kind() == ControlKind::LinkLabel && control->usable()) SetTextColor(dc, kLinkColor);
        return reinterpret_cast<LRESULT>(face_);
    }
    case WM_SETCURSOR: {
        Control* control = controlOf(reinterpret_cast<HWND>(wParam));
        if (control && control->kind() == ControlKind::LinkLabel) {
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
            return TRUE;
        }
        break;
    }
    case WM_CLOSE: form_.Close(); return 0;
    case WM_TIMER:
        if (wParam != kProgressTimer) break;
        drawPendingPositions();
        return 0;
    default:
        if (message == makeAllControlsMessage()) {
            makeAllControls();
            return 0;
        }
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// Notebooks, pages and panels: their children's notifications go to the
// form's window; a panel draws its bevel.
LRESULT CALLBACK FormWindow::containerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const auto bevel = static_cast<Bevel>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (bevel != Bevel::None) {
            RECT rect;
            GetClientRect(window, &rect);
            DrawEdge(dc, &rect, bevel == Bevel::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        EndPaint(window, &paint);
        return 0;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace vk::view
