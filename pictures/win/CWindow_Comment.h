#pragma once
// The control's tooltip window: a bold title and a mark-up body (or an OLE object, or a
// picture) laid out to 196 pixels in Arial 8 pt, placed at a screen point near its owner. It
// shows once the pointer has rested through the show delay, hides after the display time
// (kept while Control is held) and then stays away until the pointer leaves the owner's
// rectangle; a button, a key or the pointer leaving hides it. Mouse input on it goes on to
// the owner's window below. The timers' rules are CommentRules; this class only gathers what
// they need and does what they answer.
#include <windows.h>
#include <olectl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "html/CHTMLCaption.h"
#include "pictures/CommentRules.h"
#include "platform/ComPtr.h"
#include "platform/Gdi.h"
#include "platform/VisualStyles.h"
#include "platform/Window.h"

class IHTMLCaptionHostBase;

class CWindow_Comment : public CWindow {
public:
    static constexpr const char* kClassName = "Koravel.Print.CommentWindow";
    static constexpr int kLayoutWidth = 196, kLayoutHeight = 96;
    enum : UINT_PTR { kDisplayTimer = 1000, kShowTimer = 1001, kTrackTimer = 1002 };
    static constexpr UINT kTrackInterval = 16;
    // Whether the owner lets the tooltip show now.
    using Callback = std::function<bool()>;
    using AnchorHook = std::function<void(const CHTMLCaption::CHTMLElement&)>;

    CWindow_Comment();
    ~CWindow_Comment() override;
    CWindow_Comment(const CWindow_Comment&) = delete;
    CWindow_Comment& operator=(const CWindow_Comment&) = delete;

    HWND Window() const { return Handle(); }

    // Creates the window when needed (hidden) and puts its top-left corner at the screen
    // point, fitted into the desktop; remembers the owner, its callback and its rectangle.
    bool Place(HWND owner, Callback callback, POINT screen);
    // Nothing unless a text changed (or forced); a shown tooltip hides and shows again after
    // the next rest.
    void SetTexts(const std::string& body, const std::string& title = {}, bool force = false);
    void SetTitle(const std::string& title);
    const std::string& Body() const { return m_body; }
    const std::string& Title() const { return m_title; }
    // Where icons and pictures of the body come from.
    void SetHost(IHTMLCaptionHostBase* host);
    // An OLE object (drawn with OleDraw) or a picture shown instead of the texts; null for none.
    void SetObject(IUnknown* object);
    void SetPicture(IPicture* picture);
    // Colour values (RGB or OLE colours); none: the theme's or the system's tooltip colours.
    void SetColors(std::optional<uint32_t> background, std::optional<uint32_t> text);
    void SetShowDelay(uint32_t ms) { m_rules.showDelay = ms; }
    void SetDisplayTime(uint32_t ms) { m_rules.displayTime = ms; }
    bool Enabled() const { return m_rules.Enabled(); }
    void SetAnchorHook(AnchorHook hook) { m_anchorHook = std::move(hook); }

    void RequestShow();
    void RequestShow(bool on);
    void Show();
    // At once, centred above the point (bottom edge on it); the timers leave it until Hide.
    void ShowAt(POINT screen);
    void Hide();
    bool Visible() const { return Handle() && IsWindowVisible(Handle()); }
    // In text mode, the body's anchor under a client point, or null.
    const CHTMLCaption::CHTMLElement* HitTestAnchor(POINT client);
    // The Arial 8 pt font the tooltip draws with (WM_GETFONT answers it).
    HFONT FontHandle() const;

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnFinalMessage() override;
    CommentRules::World World(bool messagePos) const;
    void Apply(unsigned effects, bool showAt = false);
    void Layout();
    void MoveToPlace(bool showAt);
    void Paint(HDC dc);
    void Forward(UINT msg, WPARAM wp);
    bool OwnerActive() const;
    void UpdateContent();
    int Margin(HDC dc) const;
    int LayoutWidth() const;
    SIZE BodySize(HDC dc);
    friend struct CommentKeyWatch;

    CommentRules m_rules;
    ComPtr<IFont> m_font;
    Font m_bold;
    std::optional<uint32_t> m_background, m_textColour;
    std::string m_title, m_body;
    std::unique_ptr<CHTMLCaption> m_caption;
    IHTMLCaptionHostBase* m_host = nullptr;
    ComPtr<IUnknown> m_object;
    ComPtr<IPicture> m_picture;
    bool m_textMode = false;
    RECT m_bodyRect{};
    HWND m_owner = nullptr;
    Callback m_callback;
    AnchorHook m_anchorHook;
    POINT m_at{};
    SIZE m_size{}, m_bodySize{};
    std::vector<std::string> m_titleLines;
    int m_titleLineHeight = 0;
    bool m_layoutDue = true;
    CTheme m_theme;
};
