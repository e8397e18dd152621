// The pop-ups under the toolbar's buttons, driven with real X input while their modal loop
// runs: the button goes down first, as on a toolbar button, and is released over the pop-up.
#include "CPopupList.h"
#include "CPopupPages.h"
#include "RealInput.h"
#include <gtest/gtest.h>
#include <functional>
#include <thread>

namespace {

// Presses on a window under the pop-up, runs `show`, and meanwhile moves to the client point
// `at` answers for the pop-up of class `cls` until `tracks` says it follows, then releases.
void ReleaseOver(const char* cls, const std::function<POINT(HWND)>& at, const std::function<bool(HWND)>& tracks,
                 const std::function<void()>& show) {
    HWND surface = CreateWindowExA(WS_EX_TOPMOST, "Static", "", WS_POPUP | WS_VISIBLE, 200, 200, 500, 500,
                                   nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(surface);
    Xdotool("mousemove 300 300 mousedown 1");
    std::thread user([&] {
        HWND w = nullptr;
        for (int i = 0; i < 200 && !(w && IsWindowVisible(w)); ++i, Sleep(10))
            w = FindWindowExA(GetDesktopWindow(), nullptr, cls, nullptr);
        POINT p = w ? at(w) : POINT{5, 5};
        if (w) ClientToScreen(w, &p);
        for (int i = 0; i < 40 && !(i && w && tracks(w)); ++i)
            Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y + i % 2) + " sleep 0.05");
        Xdotool("mouseup 1");
    });
    show();
    user.join();
    DestroyWindow(surface);
}

TEST(PopupTest, EachPopUpAnswersWhatIsUnderThePointerOrNothingOutsideIt) {
    CPopupList list({" 500%", " 200%", " 150%", " 100%", " 75%", " 50%", " 25%", " 10%"});
    int index = -1;
    bool chosen = false;
    const auto sixth = [](HWND w) {
        RECT item{};
        SendMessageA(w, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));
        return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    };
    ReleaseOver("Koravel.Zoom.ListBox", sixth, [](HWND w) { return SendMessageA(w, LB_GETCURSEL, 0, 0) == 5; },
                [&] { chosen = list.Show(300, 300, index); });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(index, 5);

    // The pages chooser: 3 x 2 cells of 26 pixels after a 2-pixel border.
    const struct {
        POINT at;
        long grid;
        const char* text;
    } cases[] = {{{2 + 26 + 13, 2 + 13}, MAKELONG(2, 1), "2 x 1 Pages"}, {{150, 150}, 0, "Cancel"}};
    for (const auto& c : cases) {
        CPopupPages<3, 2> pages;
        long grid = 0;
        ReleaseOver("Koravel.Print.Preview", [&](HWND) { return c.at; }, [&](HWND) { return pages.Text() == c.text; },
                    [&] { chosen = pages.Show(300, 300, MAKELONG(1, 1), grid); });
        EXPECT_EQ(chosen, c.grid != 0) << c.text;
        EXPECT_EQ(grid, c.grid) << c.text;
    }
}

}  // namespace
