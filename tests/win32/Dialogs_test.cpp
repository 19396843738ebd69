#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/Eventually.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

// Presses a button of the first dialog box this process shows, as a user
// would, so that the system's choosers can be tested without one.
class DialogPresser {
public:
    // With awaitedSelection, presses once the folder tree has selected an item
    // of that name: Wine fills the tree after showing the box, late on a busy
    // machine, and a user, too, clicks only once it has settled. After ten
    // seconds it presses anyway, so that no test hangs; sawSelection() tells.
    explicit DialogPresser(int button, std::wstring awaitedSelection = {})
        : thread_([this, button, awaitedSelection] {
              HWND dialog = nullptr;
              test::eventually([this, &dialog] { return stop_ || (dialog = findDialog()) != nullptr; },
                               std::chrono::seconds(20));
              if (!dialog) return;
              if (awaitedSelection.empty()) {
                  // A round trip through the box: it has finished its own
                  // start and handles its messages, so the press comes after.
                  DWORD_PTR ignored = 0;
                  SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
              } else {
                  sawSelection_ = test::eventually(
                      [dialog, &awaitedSelection] { return selectedTreeItem(dialog) == awaitedSelection; },
                      std::chrono::seconds(10));
              }
              PostMessageW(dialog, WM_COMMAND, button, 0);
          }) {}

    bool sawSelection() const { return sawSelection_; }

    ~DialogPresser() {
        stop_ = true;
        thread_.join();
    }

private:
    static BOOL CALLBACK takeOwnDialog(HWND window, LPARAM result) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t windowClass[16] = {};
        GetClassNameW(window, windowClass, 16);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) || lstrcmpW(windowClass, L"#32770") != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }

    static std::wstring selectedTreeItem(HWND dialog) {
        HWND tree = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
        if (!tree) return {};
        auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (!item) return {};
        wchar_t text[MAX_PATH] = {};
        TVITEMW request{};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = text;
        request.cchTextMax = MAX_PATH;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
        return text;
    }

    static HWND findDialog() {
        HWND found = nullptr;
        EnumWindows(takeOwnDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> sawSelection_{false};
    std::thread thread_;
};

constexpr int kMyComputer = 17;

TEST(Win32Choosers, FolderBrowserStartsAtTheInitialFolder) {
    test::TestMachine machine;
    std::string initial = machine.scratch() + "\\Кронта";
    ASSERT_TRUE(createDirectory(initial));
    std::optional<std::string> chosen;
    bool settled = false;
    {
        DialogPresser ok(IDOK, L"Кронта");
        chosen = choosers().browseForFolder(initial, kMyComputer);
        settled = ok.sawSelection();
    }
    if (!settled) GTEST_SKIP() << "Wine's folder tree did not settle on the initial folder within ten seconds";
    ASSERT_TRUE(chosen.has_value());
    EXPECT_TRUE(sameText(*chosen, initial)) << *chosen;
}

TEST(Win32Choosers, CancelledChoosersGiveNothing) {
    test::TestMachine machine;
    {
        DialogPresser cancel(IDCANCEL);
        EXPECT_EQ(choosers().browseForFolder(machine.scratch(), kMyComputer), std::nullopt);
    }
    {
        DialogPresser cancel(IDCANCEL);
        EXPECT_EQ(choosers().openFile(machine.scratch(), "Подключения|*.dbx|Все файлы|*.*", "Выбор"),
                  std::nullopt);
    }
}

TEST(Win32Choosers, FileChooserGivesThePreselectedFile) {
    test::TestMachine machine;
    std::string file = machine.scratch() + "\\Setup1.dbx";
    openFile(file, FileMode::Create);
    std::optional<std::string> chosen;
    {
        DialogPresser ok(IDOK);
        chosen = choosers().openFile(file, "Подключения|*.dbx", "Выбор");
    }
    ASSERT_TRUE(chosen.has_value());
    EXPECT_TRUE(sameText(*chosen, file)) << *chosen;
}

}  // namespace
}  // namespace vk::platform
