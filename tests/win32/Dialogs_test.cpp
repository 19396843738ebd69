#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

// Presses a button of the first dialog box this process shows, as a user
// would, so that the system's choosers can be tested without one.
class DialogPresser {
public:
    explicit DialogPresser(int button)
        : thread_([this, button] {
              for (int attempt = 0; attempt < 200 && !stop_; ++attempt) {
                  if (HWND dialog = findDialog()) {
                      // Wine fills the folder tree after showing the box; a user, too,
                      // clicks only once it has settled.
                      Sleep(500);
                      PostMessageW(dialog, WM_COMMAND, button, 0);
                      return;
                  }
                  Sleep(50);
              }
          }) {}
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

    static HWND findDialog() {
        HWND found = nullptr;
        EnumWindows(takeOwnDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

constexpr int kMyComputer = 17;

TEST(Win32Choosers, FolderBrowserStartsAtTheInitialFolder) {
    test::TestMachine machine;
    std::string initial = machine.scratch() + "\\Кронта";
    ASSERT_TRUE(createDirectory(initial));
    std::optional<std::string> chosen;
    {
        DialogPresser ok(IDOK);
        chosen = choosers().browseForFolder(initial, kMyComputer);
    }
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
