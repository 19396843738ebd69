#include "view/FormWindow.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "forms/DemoForm.h"  // tests/forms
#include "platform/win32/Wide.h"
#include "view/Clipping.h"
#include "view/Win32FrontEnd.h"
#include "view/WindowNames.h"
#include "view/WindowPicture.h"
#include "support/Eventually.h"

namespace vk::view {
namespace {

using namespace forms;
using platform::win32::narrow;
using platform::win32::wide;

std::string textOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return narrow(text);
}

// Delivers everything queued, paints included, as an idle message loop would.
void settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The demonstration form shown by the view at a DPI, not modally.
struct Shown {
    explicit Shown(int dpi) : frontEnd(dpi), scope(frontEnd), window(form, nullptr, frontEnd.metrics()) {
        window.show();
        settle();
    }
    HWND native(const Control& control) const { return window.windowOf(control); }

    Win32FrontEnd frontEnd;
    FrontEndScope scope;
    demo::TfmDemo form;
    FormWindow window;
};

TEST(FormView, EveryControlIsANamedNativeWindowAtItsPlace) {
    Shown shown(96);
    shown.form.nbMain.setPageIndex(1);
    EXPECT_EQ(windowName(shown.window.handle()), "fmDemo");
    EXPECT_EQ(textOf(shown.window.handle()), "Демонстрация");
    for (Control* control : shown.form.allControls()) {
        EXPECT_EQ(windowName(shown.native(*control)), control->name());
        EXPECT_EQ(windowNumber(shown.native(*control), kKindProperty), static_cast<int>(control->kind()));
    }
    EXPECT_EQ(windowNumber(shown.native(shown.form.pgSecond), kPageProperty), 1);
    EXPECT_EQ(windowNumber(shown.native(shown.form.nbMain), kPagesProperty), 0);
    EXPECT_EQ(windowNumber(shown.native(shown.form.pnBox), kPagesProperty), std::nullopt);
    RECT client;
    GetClientRect(shown.window.handle(), &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 300);
    RECT button;
    GetWindowRect(shown.native(shown.form.btExit), &button);
    MapWindowPoints(nullptr, shown.window.handle(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.left, 335);
    EXPECT_EQ(button.top, 262);
    EXPECT_EQ(button.right - button.left, 75);
    // Centred on the work area.
    RECT frame, work;
    GetWindowRect(shown.window.handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 1);
    // Fixed dialog border, the system menu and nothing else.
    const LONG style = GetWindowLongW(shown.window.handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongW(shown.window.handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    // The list view carries check boxes.
    EXPECT_TRUE(SendMessageW(shown.native(shown.form.lvRows), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
}

TEST(FormView, AUsersActionsReachTheFormAndItsChangesTheScreen) {
    Shown shown(96);
    demo::TfmDemo& form = shown.form;
    SendMessageW(shown.native(form.btOptions), BM_CLICK, 0, 0);  // disabled: refused
    SendMessageW(shown.native(form.cbOption), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.cbOption.checked());
    EXPECT_EQ(SendMessageW(shown.native(form.cbOption), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(shown.native(form.btOptions)));

    SendMessageW(shown.native(form.rbRight), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(shown.native(form.rbLeft), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SetWindowTextW(shown.native(form.edName), L"Иван");
    EXPECT_EQ(form.edName.text(), "Иван");
    EXPECT_EQ(textOf(shown.native(form.lbEcho)), "Имя: Иван");
    form.edName.setText("Пётр");
    EXPECT_EQ(textOf(shown.native(form.edName)), "Пётр");

    form.btNext.setCaption("Установить");
    EXPECT_EQ(textOf(shown.native(form.btNext)), "Установить");

    EXPECT_FALSE(IsWindowVisible(shown.native(form.lvRows)));
    form.nbMain.setPageIndex(1);
    EXPECT_TRUE(IsWindowVisible(shown.native(form.lvRows)));
    EXPECT_FALSE(IsWindowVisible(shown.native(form.cbOption)));

    HWND list = shown.native(form.lvRows);
    LVITEMW state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(form.lvRows.item(1)->checked);
    form.lvRows.setChecked(0, false);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));

    HWND combo = shown.native(form.cbKind);
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form.lbKind.caption(), "Выбран: Третий");
    form.pbMain.setPosition(70);
    EXPECT_EQ(SendMessageW(shown.native(form.pbMain), PBM_GETPOS, 0, 0), 70);
}

TEST(FormView, AProgressBarShowsItsEndsAtOnceAndItsLastPositionWithinAFrame) {
    using namespace std::chrono_literals;
    Shown shown(96);
    demo::TfmDemo& form = shown.form;
    form.nbMain.setPageIndex(1);
    HWND bar = shown.native(form.pbMain);
    const auto position = [bar] { return SendMessageW(bar, PBM_GETPOS, 0, 0); };
    form.pbMain.setMaximum(100);

    const auto start = std::chrono::steady_clock::now();
    form.pbMain.setPosition(10);
    form.pbMain.setPosition(20);
    // Drawn once a frame: the second waits, unless this machine paused for a frame between them.
    if (std::chrono::steady_clock::now() - start < 20ms) {
        EXPECT_EQ(position(), 10);
    }
    form.pbMain.setPosition(37);
    EXPECT_TRUE(test::eventually([&] { settle(); return position() == 37; }, 2s));

    form.pbMain.setPosition(60);
    form.pbMain.setPosition(100);
    EXPECT_EQ(position(), 100);
    form.pbMain.setPosition(50);
    form.pbMain.setPosition(0);
    EXPECT_EQ(position(), 0);
}

TEST(FormView, APageGetsItsControlsWhenItFirstShowsAsTheFormHasThem) {
    Shown shown(96);
    demo::TfmDemo& form = shown.form;
    EXPECT_NE(shown.native(form.pgSecond), nullptr);
    EXPECT_EQ(shown.native(form.lvRows), nullptr);
    // Changed while not made: made as the form has them.
    form.lvRows.setChecked(0, false);
    form.cbKind.setItemIndex(2);
    form.btCheck.setEnabled(false);
    form.nbMain.setPageIndex(1);
    HWND list = shown.native(form.lvRows);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    EXPECT_EQ(SendMessageW(shown.native(form.cbKind), CB_GETCURSEL, 0, 0), 2);
    EXPECT_FALSE(IsWindowEnabled(shown.native(form.btCheck)));
    // Ids follow the tab order, whenever the control was made.
    EXPECT_LT(GetDlgCtrlID(shown.native(form.edName)), GetDlgCtrlID(shown.native(form.cbKind)));
    EXPECT_LT(GetDlgCtrlID(shown.native(form.btCheck)), GetDlgCtrlID(shown.native(form.lbResult)));
}

TEST(FormView, AProgramOutsideHasEveryControlMadeOnRequest) {
    Shown shown(96);
    SendMessageW(shown.window.handle(), makeAllControlsMessage(), 0, 0);
    HWND progress = shown.native(shown.form.pbMain);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(windowName(progress), "pbMain");
    EXPECT_FALSE(IsWindowVisible(progress));
    EXPECT_TRUE(IsWindowVisible(shown.native(shown.form.cbOption)));
}

// Presses keys on the message dialogs a front end shows, from its own idle loop.
struct KeyPresser {
    explicit KeyPresser(std::vector<UINT> keys) : keys(std::move(keys)) {}

    std::vector<UINT> keys;  // one a dialog, in order
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> buttons;  // "NAME TEXT"

    void attach(Win32FrontEnd& frontEnd) {
        frontEnd.onIdle = [this](FormWindow& window) {
            if (captions.size() == keys.size() || window.form().name() == "fmDemo") return;
            captions.push_back(textOf(window.handle()));
            buttons.emplace_back();
            for (Control* control : window.form().allControls())
                if (control->kind() == ControlKind::Button)
                    buttons.back().push_back(control->name() + " " + textOf(window.windowOf(*control)));
            PostMessageW(window.handle(), WM_KEYDOWN, keys[captions.size() - 1], 0);
        };
    }
};

TEST(FormView, MessageDialogsShowTheRussianTextsAndTakeEnterAndEsc) {
    Win32FrontEnd frontEnd(96);
    FrontEndScope scope(frontEnd);
    KeyPresser presser({VK_RETURN, VK_ESCAPE, VK_ESCAPE});
    presser.attach(frontEnd);
    EXPECT_EQ(ShowMessageDlg("Продолжить?", MsgDlgType::Confirmation, mbYesNo), mrYes);
    EXPECT_EQ(ShowMessageDlg("Продолжить?", MsgDlgType::Warning, mbYesNo), mrNo);
    EXPECT_EQ(ShowMessageDlg("Все кнопки", MsgDlgType::Information,
                             mbYes | mbNo | mbOK | mbCancel | mbAbort | mbRetry | mbIgnore | mbAll | mbNoToAll |
                                 mbYesToAll | mbHelp),
              mrCancel);
    EXPECT_EQ(presser.captions, (std::vector<std::string>{"Подтверждение", "Предупреждение", "Информация"}));
    ASSERT_EQ(presser.buttons.size(), 3u);
    EXPECT_EQ(presser.buttons[0], (std::vector<std::string>{"Yes &Да", "No &Нет"}));
    EXPECT_EQ(presser.buttons[2],
              (std::vector<std::string>{"Yes &Да", "No &Нет", "OK &ОК", "Cancel О&тмена", "Abort &Прервать",
                                        "Retry Повто&рить", "Ignore Пропу&стить", "All Для &всех",
                                        "NoToAll Нет для всех", "YesToAll Да для всех", "Help Справ&ка"}));
}

TEST(FormView, AModalFormDisablesItsOwnerAndAFailureIsReported) {
    Win32FrontEnd frontEnd(96);
    FrontEndScope scope(frontEnd);
    demo::TfmDemo form;
    form.cbOption.setChecked(true);
    form.btOptions.onClick = [&] {
        form.fmOptions.ShowModal();
        throw std::runtime_error("Сбой обработчика.");
    };
    // Each time the loop in front goes idle: the next thing a user does.
    std::vector<std::string> fronts;
    bool ownerDisabled = false;
    frontEnd.onIdle = [&](FormWindow& window) {
        HWND main = frontEnd.shown().front()->handle();
        fronts.push_back(window.form().name() + " " + textOf(window.handle()));
        switch (fronts.size()) {
        case 1: PostMessageW(window.windowOf(form.btOptions), BM_CLICK, 0, 0); break;
        case 2:
            ownerDisabled = !IsWindowEnabled(main);
            PostMessageW(window.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case 3: PostMessageW(window.handle(), WM_KEYDOWN, VK_RETURN, 0); break;
        default: PostMessageW(main, WM_CLOSE, 0, 0); break;
        }
    };
    EXPECT_EQ(frontEnd.run(form), mrCancel);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(form.fmOptions.modalResult(), mrCancel);
    EXPECT_EQ(fronts, (std::vector<std::string>{"fmDemo Демонстрация", "fmOptions Настройки", "ErrorReport Ошибка",
                                                "fmDemo Демонстрация"}));
}

// Pictures of both pages at 96 and 144 DPI, beside the tests, with every text whole.
TEST(FormView, TheDemonstrationFormScalesWithTheDpiWithNothingClipped) {
    for (int dpi : {96, 144}) {
        Shown shown(dpi);
        RECT client;
        GetClientRect(shown.window.handle(), &client);
        EXPECT_EQ(client.right, 420 * dpi / 96);
        EXPECT_EQ(client.bottom, 300 * dpi / 96);
        for (int page : {0, 1}) {
            shown.form.nbMain.setPageIndex(page);
            settle();
            EXPECT_EQ(clippedControls(shown.window), std::vector<std::string>{}) << dpi << " DPI";
            const std::string picture = std::string(VK_BINARY_DIR) + "\\forms-demo-" + std::to_string(dpi) + "-" +
                                        std::to_string(page + 1) + ".bmp";
            EXPECT_TRUE(saveWindowPicture(shown.window.handle(), picture)) << picture;
        }
    }
}

}  // namespace
}  // namespace vk::view
