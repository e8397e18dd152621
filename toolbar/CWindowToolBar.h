#pragma once
// A toolbar window whose buttons are the item units of a CRD layout: it measures, paints and
// hit-tests them through the layout engine, tracks the hot and pressed items and turns a press
// and release (or Enter / Space on the hot item) into Click. What a click does is the
// derived class's business.
#include <windows.h>
#include <olectl.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "pictures/win/CWindow_Comment.h"
#include "platform/AccessibleBase.h"
#include "platform/ComPtr.h"
#include "platform/Gdi.h"
#include "platform/VisualStyles.h"
#include "platform/Window.h"
#include "toolbar/CWindowListPartFormatLevel.h"

class CWindowToolBar : public CWindowListPartFormatLevel, public CWindow {
public:
    static constexpr const char* kClassName = "Koravel.ToolBar";
    enum State { Normal = 0, Pressed = 1, Disabled = 2, Hot = 3 };
    enum Style { NoReaction = 0, Button = 1, ClickOnRelease = 2, ClickOnPress = 3, DropDown = 4 };

    CWindowToolBar();
    ~CWindowToolBar() override;

    HWND CreateToolBar(HWND parent, HWND notify);
    void DestroyToolBar();
    HWND Window() const { return Handle(); }
    HWND NotifyWindow() const { return m_notify; }

    // (max(19, font height) + 6) * rows + 6 at 96 DPI, its parts scaled with the window's
    // resolution (see scaling/DpiScale.h); 31 (scaled) without a window or a layout.
    int Height() const;
    // The resolution the toolbar draws at: its frame's (the screen's until the frame moves to
    // a monitor of another scale).
    int Dpi() const;
    // After the frame's resolution changed: the font, icons and items are measured anew.
    void DpiChanged();
    void SetAutoHeight(bool on) { m_autoHeight = on; }

    const std::string& LayoutText() const { return m_text; }
    // Any text; an empty one leaves the toolbar without buttons.
    void SetLayoutText(const std::string& text);
    // Arranges the items into the client rectangle less 2 pixels on every side.
    void RecalcLayout();
    // Sets every captioned item's width to its caption's width plus 8.
    void MeasureItems();

    void BeginUpdate() { ++m_depth; }
    void EndUpdate();

    // The image list and pictures that captions draw from; captions parsed before are parsed
    // again with it when next drawn.
    void SetCaptionHost(IHTMLCaptionHostBase* host);

    // The OLE font captions are drawn and measured with; null goes back to the system's
    // message font. Items are measured again at once.
    void SetFont(IFont* font);
    IFont* GetFont() const { return m_font.Get(); }
    HFONT FontHandle() const;

    // Themed frames and separators while the system's visual styles are active (on by default).
    void SetThemed(bool on);
    bool DrawsThemed() const { return m_themed && m_theme.IsOpen(); }

    // A colour value filled behind the item, before its frame and caption.
    void SetPartColor(int32_t item, uint32_t colour);
    void RemovePartColor(int32_t item);
    int32_t HotItem() const { return m_keyItem; }
    bool ItemRectOf(int32_t item, RECT& out);
    const CWindow_Comment& Tooltip() const { return m_tooltip; }
    CWindow_Comment& Tooltip() { return m_tooltip; }

    void DrawItem(CWindowListPartContext& context, const RECT& rect, int32_t item,
                  const CWindowListPart& part) override;

    // The keyboard route and screen readers (CWindowToolBarAccess.cpp).
    // The buttons (item units numbered 0 or more) in layout order, each once.
    std::vector<int32_t> Buttons();
    // The caption's plain text, or the tooltip's for a button that shows only icons.
    std::string ButtonName(int32_t item);
    std::string ButtonDescription(int32_t item);
    bool IsDropDown(int32_t item) const { return ItemStyle(item) == DropDown; }
    bool IsHot(int32_t item) const { return m_hot.count(item) != 0; }
    bool IsPressed(int32_t item) const { return item == m_pressed && m_pressedLook; }
    // The button the keyboard is on while the toolbar has the focus; INT32_MIN otherwise.
    int32_t FocusedButton() const;
    // Presses a button as a click does, once the current message is done (a reader's call
    // returns before a pop-up opens).
    void PostPress(int32_t item);

protected:
    // The caption the button shows (mark-up); empty for none.
    virtual std::string ButtonCaption(int32_t item) const = 0;
    // The item's tooltip (mark-up); empty shows none.
    virtual std::string ItemTip(int32_t) const { return {}; }
    virtual int ItemStyle(int32_t item) const { return item >= 0 ? Button : NoReaction; }
    // A click on a button; rect is its client rectangle.
    virtual void Click(int32_t item, const RECT& rect) = 0;
    IHTMLCaptionHostBase* CaptionHost() override { return m_host; }

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnFinalMessage() override;
    void Paint(HDC dc);
    void MouseMove(POINT pt);
    void Press(POINT pt);
    void Release(POINT pt, bool cancel);
    void Key(WPARAM key);
    int32_t ItemAt(POINT pt);
    void SetHot(const std::set<int32_t>& hot);
    void InvalidateItem(int32_t item);
    void ClickItem(int32_t item);
    void ShowTip(int32_t item);
    int State(int32_t item) const;
    // Where the caption of a part is drawn: aligned by the unit's alignment in `content`.
    RECT CaptionRect(CHTMLCaption& caption, HDC dc, const RECT& content, const CWindowListPart& part);
    const CHTMLCaption::CHTMLElement* AnchorAt(POINT pt);
    bool OnSetCursor();
    // CWindowToolBarAccess.cpp: true when the key went elsewhere (another pane, the pages).
    bool RouteKey(WPARAM key);
    void SetKeyItem(int32_t item);
    void OnSetFocus();
    // A toolbar without buttons leaves the Tab route.
    void UpdateTabStop();
    LRESULT AnswerAccessible(WPARAM wp, LPARAM lp);
    static constexpr UINT kPressMessage = WM_USER + 1;  // wParam: the item PostPress names
    void PressPosted(int32_t item);

    HWND m_notify = nullptr;
    std::string m_text;
    LayoutRect m_rect{};
    std::set<int32_t> m_hot;
    int32_t m_keyItem = INT32_MIN;
    int32_t m_pressed = INT32_MIN;  // the item being tracked with the mouse held
    bool m_pressedLook = false;
    int m_depth = 0;
    bool m_autoHeight = false;
    bool m_tracking = false;
    ComPtr<IFont> m_font;
    ComPtr<IFont> m_dpiFont;  // m_font scaled to a resolution other than the screen's
    CTheme m_theme;
    bool m_themed = true;
    std::map<int32_t, uint32_t> m_partColours;
    CWindow_Comment m_tooltip;
    IHTMLCaptionHostBase* m_host = nullptr;
    bool m_focusByMouse = false;  // the focus came with a click: the pages keep their keys
    CAccessLink<CWindowToolBar> m_access;
};
