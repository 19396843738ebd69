// TfmURM and TfmNet shown by the Win32 view at 96 and 144 DPI: every text
// whole, and a picture of each beside the tests.
#include <windows.h>

#include <gtest/gtest.h>

#include "dbenv/fNet.h"
#include "dbenv/fURM.h"
#include "view/Clipping.h"
#include "view/FormWindow.h"
#include "view/Win32FrontEnd.h"
#include "view/WindowPicture.h"

namespace vk {
namespace {

void settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

template <typename Dialog>
void expectWhole(const std::string& name) {
    for (int dpi : {96, 144}) {
        view::Win32FrontEnd frontEnd(dpi);
        forms::FrontEndScope scope(frontEnd);
        Dialog dialog;
        view::FormWindow window(dialog, nullptr, frontEnd.metrics());
        window.show();
        settle();
        EXPECT_EQ(view::clippedControls(window), std::vector<std::string>{}) << name << " at " << dpi << " DPI";
        const std::string picture = std::string(VK_BINARY_DIR) + "\\" + name + "-" + std::to_string(dpi) + ".bmp";
        EXPECT_TRUE(view::saveWindowPicture(window.handle(), picture)) << picture;
    }
}

TEST(DbEnvDialogsView, TheLinkDialogShowsEveryTextWhole) { expectWhole<TfmURM>("fmURM"); }

TEST(DbEnvDialogsView, TheExchangeFolderDialogShowsEveryTextWhole) { expectWhole<TfmNet>("fmNet"); }

}  // namespace
}  // namespace vk
