// The pop-ups under the toolbar's buttons, driven with real X input (xdotool) while their modal
// loop runs: the button goes down first, as when a toolbar button opens them.
#include "CPopupList.h"
#include "CPopupPages.h"
#include "RealInput.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <thread>

namespace {

// Presses the button on a window under the pop-up, as on a toolbar button (X then reports the
// release wherever the pointer goes), runs `show`, and meanwhile moves to the client point `where`
// answers for the pop-up of class `cls` until `tracks` says the pop-up follows, then releases.
void ReleaseOver(const char* cls, const std::function<POINT(HWND)>& where, const std::function<bool(HWND)>& tracks,
                 const std::function<void()>& show) {
    HWND surface = CreateWindowExA(WS_EX_TOPMOST, "Static", "", WS_POPUP | WS_VISIBLE, 200, 200, 500, 500, nullptr,
                                   nullptr, nullptr, nullptr);
    UpdateWindow(surface);
    Xdotool("mousemove 300 300 mousedown 1");
    std::thread user([&] {
        HWND w = nullptr;
        for (int i = 0; i < 200 && !(w && IsWindowVisible(w)); ++i, Sleep(10))
            w = FindWindowExA(GetDesktopWindow(), nullptr, cls, nullptr);
        POINT p = w ? where(w) : POINT{5, 5};
        if (w) ClientToScreen(w, &p);
        // The pop-up may start tracking after the first move: move again until it follows.
        for (int i = 0; i < 40 && !(i && w && tracks(w)); ++i)
            Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y + i % 2) + " sleep 0.05");
        Xdotool("mouseup 1");
    });
    show();
    user.join();
    DestroyWindow(surface);
}

TEST(PopupTest, EachPopUpAnswersWhatIsUnderThePointerOrNothingOutsideIt) {
    CPopupList list({" 500%", " 200%", " 150%", " 100%", " 75%", " 50%", " 25%", " 10%", " Page Width"});
    int index = -1;
    bool chosen = false;
    const auto entry = [](HWND w) {
        RECT item{};
        SendMessageA(w, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));
        return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    };
    ReleaseOver("Koravel.Zoom.ListBox", entry, [](HWND w) { return SendMessageA(w, LB_GETCURSEL, 0, 0) == 5; },
                [&] { chosen = list.Show(300, 300, index); });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(index, 5);
    EXPECT_FALSE(IsWindow(list.Handle()));

    // The pages chooser: 3 x 2 cells of 26 pixels after a 2-pixel border, whatever the workspace.
    const struct {
        POINT at;
        bool chosen;
        long grid;
        const char* text;
    } cases[] = {{{2 + 26 + 13, 2 + 13}, true, MAKELONG(2, 1), "2 x 1 Pages"}, {{150, 150}, false, 0, "Cancel"}};
    for (const auto& c : cases) {
        CPopupPages<3, 2> pages;
        long grid = 0;
        ReleaseOver("Koravel.Print.Preview", [&](HWND) { return c.at; }, [&](HWND) { return pages.Text() == c.text; },
                    [&] { chosen = pages.Show(300, 300, MAKELONG(1, 1), grid); });
        EXPECT_EQ(chosen, c.chosen) << c.text;
        EXPECT_EQ(grid, c.grid) << c.text;
        EXPECT_EQ(pages.Text(), c.text);
    }
}

}  // namespace
