// The pop-ups under the toolbar's buttons, driven with real X input (xdotool) while their
// modal loop runs: the button goes down first, as when a toolbar button opens them.
#include "CPopupList.h"
#include "CPopupPages.h"
#include "RealInput.h"
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {


HWND WaitForWindow(const char* cls) {
    for (int i = 0; i < 200; ++i) {
        if (HWND w = FindWindowExA(GetDesktopWindow(), nullptr, cls, nullptr); w && IsWindowVisible(w)) return w;
        Sleep(10);
    }
    return nullptr;
}

// A window under the pop-ups where the button goes down, as a toolbar button is: X then
// reports the release to the program wherever the pointer goes.
class PressSurface {
public:
    PressSurface() {
        window_ = CreateWindowExA(WS_EX_TOPMOST, "Static", "", WS_POPUP | WS_VISIBLE, 200, 200, 500, 500, nullptr,
                                  nullptr, nullptr, nullptr);
        UpdateWindow(window_);
        Xdotool("mousemove 300 300 mousedown 1");
    }
    ~PressSurface() { DestroyWindow(window_); }

private:
    HWND window_;
};

// Moves the pointer to a point of the pop-up's client area and releases the button there.
void ReleaseAt(const char* cls, POINT (*where)(HWND)) {
    HWND w = WaitForWindow(cls);
    POINT p = w ? where(w) : POINT{5, 5};
    Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " sleep 0.2 mouseup 1");
}

TEST(PopupTest, ZoomListAnswersTheEntryUnderThePointer) {
    PressSurface surface;
    std::thread user([] {
        ReleaseAt("Koravel.Zoom.ListBox", [](HWND list) {
            RECT item{};
            SendMessageA(list, LB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item));
            POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
            ClientToScreen(list, &p);
            return p;
        });
    });
    CPopupList list({" 500%", " 200%", " 150%", " 100%", " 75%", " 50%", " 25%", " 10%", " Page Width"});
    int index = -1;
    const bool chosen = list.Show(300, 300, index);
    user.join();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(index, 5);
    EXPECT_FALSE(IsWindow(list.Handle()));
}

TEST(PopupTest, PagesChooserAnswersTheGridUnderThePointerOrNothingOutsideIt) {
    const struct {
        int x, y;  // client point of the release
        bool chosen;
        long grid;
        const char* text;
    } cases[] = {{2 + 26 + 13, 2 + 13, true, MAKELONG(2, 1), "2 x 1 Pages"}, {150, 150, false, 0, "Cancel"}};
    for (const auto& c : cases) {
        PressSurface surface;
        static POINT target;
        target = {c.x, c.y};
        std::thread user([] {
            ReleaseAt("Koravel.Print.Preview", [](HWND w) {
                POINT p = target;
                ClientToScreen(w, &p);
                return p;
            });
        });
        CPopupPages<3, 2> pages;
        long grid = 0;
        const bool chosen = pages.Show(300, 300, MAKELONG(1, 1), grid);  // a small workspace: 3 x 2 anyway
        user.join();
        EXPECT_EQ(chosen, c.chosen) << c.text;
        EXPECT_EQ(grid, c.grid) << c.text;
        EXPECT_EQ(pages.Text(), c.text);
    }
}

}  // namespace
