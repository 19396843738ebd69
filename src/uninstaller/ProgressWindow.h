#pragma once
// The uninstaller's progress: a small window with the item being removed and
// a bar, kept responsive by pumping its messages at every step.
#include <windows.h>

#include <cstddef>
#include <string>

namespace vk::uninstaller {

class ProgressWindow {
public:
    ProgressWindow(HINSTANCE instance, const std::wstring& caption);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void show(std::size_t done, std::size_t total, const std::wstring& item);
    HWND handle() const { return window_; }

private:
    HWND window_ = nullptr;
    HWND text_ = nullptr;
    HWND bar_ = nullptr;
};

}  // namespace vk::uninstaller
