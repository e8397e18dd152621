#pragma once
// The control's tooltip window: a title and a mark-up body laid out to 196 pixels, shown after
// a rest of 500 ms at a screen point, hidden after 5000 ms (kept while Control is held) or when
// the pointer leaves the owner's rectangle. Clicks fall through to the window below.
#include <windows.h>

#include <memory>
#include <string>

#include "html/CHTMLCaption.h"
#include "platform/Gdi.h"
#include "platform/Window.h"

class CWindow_Comment : public CWindow {
public:
    static constexpr const char* kClassName = "Koravel.Print.CommentWindow";
    static constexpr int kWidth = 196, kMargin = 4;
    static constexpr UINT kShowDelay = 500, kDisplayTime = 5000, kTrackInterval = 16;

    CWindow_Comment() = default;
    ~CWindow_Comment() override { Destroy(); }
    CWindow_Comment(const CWindow_Comment&) = delete;
    CWindow_Comment& operator=(const CWindow_Comment&) = delete;

    bool Create(HWND owner);
    void Destroy();
    HWND Window() const { return Handle(); }

    // Shows the text at the screen point after the show delay; an empty text hides. `area`
    // (screen) is where the pointer must stay; the same text again keeps the running timers.
    void ShowAt(const std::string& text, POINT screen, const RECT& area, const std::string& title = {});
    void Hide();

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Appear();
    void Paint(HDC dc);
    SIZE Measure();

    enum : UINT_PTR { kShowTimer = 1, kHideTimer = 2, kTrackTimer = 3 };
    HWND m_owner = nullptr;
    std::string m_text, m_title;
    std::unique_ptr<CHTMLCaption> m_caption;
    POINT m_at{};
    RECT m_area{};
    Font m_font;
};
