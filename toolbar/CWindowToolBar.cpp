#include "toolbar/CWindowToolBar.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "html/win/HTMLCaptionDraw.h"
#include "layout/CWindowListUnitPart.h"
#include "platform/Library.h"
#include "platform/WindowDpi.h"
#include "scaling/DpiScale.h"

namespace {

using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

// TrackMouseEvent, looked up once: systems without it simply get no leave notice.
TrackMouseEventFn TrackMouse() {
    static CLibrary user32("user32.dll");
    static TrackMouseEventFn fn = user32.Proc<TrackMouseEventFn>("TrackMouseEvent");
    return fn;
}

CWindow::ClassInfo g_class{CWindowToolBar::kClassName, nullptr, CS_DBLCLKS, 0, nullptr, nullptr};

bool Contains(const LayoutRect& r, POINT pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

// Theme parts and states of the "TOOLBAR" class.
enum { kThemeButton = 1, kThemeSeparator = 5 };
int ThemeState(int state) {
    return state == CWindowToolBar::Pressed ? 3 : state == CWindowToolBar::Disabled ? 4 : 2;
}

// The system's message font as an OLE font, its size kept exact in the currency unit.
ComPtr<IFont> MessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    ComPtr<IFont> font;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return font;
    const LOGFONTA& lf = metrics.lfMessageFont;
    wchar_t face[LF_FACESIZE] = L"";
    MultiByteToWideChar(CP_ACP, 0, lf.lfFaceName, -1, face, LF_FACESIZE);
    CWindowDC screen;
    const LONGLONG dpi = std::max(1, GetDeviceCaps(screen, LOGPIXELSY));
    FONTDESC desc{sizeof(desc), face, {}, static_cast<SHORT>(lf.lfWeight), static_cast<SHORT>(lf.lfCharSet),
                  lf.lfItalic != 0, lf.lfUnderline != 0, lf.lfStrikeOut != 0};
    desc.cySize.int64 = std::abs(static_cast<LONGLONG>(lf.lfHeight)) * 720000 / dpi;
    OleCreateFontIndirect(&desc, IID_IFont, font.PutVoid());
    return font;
}

}  // namespace

CWindowToolBar::CWindowToolBar() : m_font(MessageFont()) {}

HFONT CWindowToolBar::FontHandle() const {
    HFONT handle = nullptr;
    IFont* font = m_dpiFont ? m_dpiFont.Get() : m_font.Get();
    if (font && FAILED(font->get_hFont(&handle))) handle = nullptr;
    return handle ? handle : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void CWindowToolBar::SetFont(IFont* font) {
    m_font = font ? ComPtr<IFont>(font) : MessageFont();
    DpiChanged();
}

int CWindowToolBar::Dpi() const { return dpi::Sanitize(WindowDpi(Handle())); }

void CWindowToolBar::DpiChanged() {
    // OLE fonts take their pixel size from the screen; a frame on a monitor of another scale
    // draws with a copy of the font sized in proportion.
    const int dpi = Dpi(), screen = dpi::Sanitize(ScreenDpi().cy);
    m_dpiFont.Reset();
    CY size{};
    if (dpi != screen && m_font && SUCCEEDED(m_font->Clone(m_dpiFont.Put())) && m_dpiFont &&
        SUCCEEDED(m_dpiFont->get_Size(&size))) {
        size.int64 = size.int64 * dpi / screen;
        m_dpiFont->put_Size(size);
    }
    SetCaptionIconSize(dpi::IconSize(dpi));
    BeginUpdate();
    MeasureItems();
    EndUpdate();
}

void CWindowToolBar::SetCaptionHost(IHTMLCaptionHostBase* host) {
    m_host = host;
    m_tooltip.SetHost(host);
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void CWindowToolBar::SetThemed(bool on) {
    m_themed = on;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void CWindowToolBar::SetPartColor(int32_t item, uint32_t colour) {
    m_partColours[item] = colour;
    InvalidateItem(item);
}

void CWindowToolBar::RemovePartColor(int32_t item) {
    m_partColours.erase(item);
    InvalidateItem(item);
}

CWindowToolBar::~CWindowToolBar() { DestroyToolBar(); }

HWND CWindowToolBar::CreateToolBar(HWND parent, HWND notify) {
    if (IsWindow()) return Handle();
    m_notify = notify ? notify : parent;
    HWND hwnd = CWindow::Create(g_class, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                RECT{0, 0, 0, Height()}, parent);
    if (!hwnd) return nullptr;
    m_tooltip.Place(hwnd, nullptr, POINT{0, 0});
    m_theme.Open(hwnd, L"TOOLBAR");
    DpiChanged();
    return Handle();
}

void CWindowToolBar::DestroyToolBar() {
    CWindow::Destroy();  // the rest goes in OnFinalMessage
}

int CWindowToolBar::Height() const {
    CWindowListPartLevel* level = Handle() ? const_cast<CWindowToolBar*>(this)->GetLayout(m_text) : nullptr;
    if (!level) return dpi::ToolBarHeight(0, 1, Dpi());
    CWindowDC screen;
    CSelectObject font(screen, FontHandle());
    TEXTMETRICA tm{};
    GetTextMetricsA(screen, &tm);
    return dpi::ToolBarHeight(tm.tmHeight, level->RowCount(), Dpi());
}

void CWindowToolBar::SetLayoutText(const std::string& text) {
    BeginUpdate();
    m_text = text;
    m_hot.clear();
    m_pressed = m_keyItem = INT32_MIN;
    MeasureItems();
    EndUpdate();
}

void CWindowToolBar::EndUpdate() {
    if (m_depth > 0 && --m_depth == 0 && Handle()) {
        RecalcLayout();
        UpdateTabStop();
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void CWindowToolBar::RecalcLayout() {
    if (!Handle()) return;
    RECT r;
    GetClientRect(Handle(), &r);
    if (m_autoHeight && r.bottom - r.top != Height()) {
        SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(Handle(), &r);
        // The parent lays its windows out again around the new height, as after its own resize.
        if (HWND parent = GetParent(Handle())) {
            RECT client;
            GetClientRect(parent, &client);
            SendMessageA(parent, WM_SIZE, IsZoomed(parent) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                         MAKELPARAM(client.right, client.bottom));
        }
    }
    const int inset = dpi::Scale(2, Dpi());
    InflateRect(&r, -inset, -inset);
    m_rect = ToLayoutRect(r);
}

void CWindowToolBar::MeasureItems() {
    CWindowListPartLevel* level = Handle() ? GetLayout(m_text) : nullptr;
    if (!level) return;
    CWindowDC screen;
    CSelectObject font(screen, FontHandle());
    bool changed = false;
    const int room = dpi::Scale(8, Dpi());  // a separator's width, and the room around a caption
    for (CWindowListUnitPart* unit = level->FirstUnit(); unit; unit = unit->NextUnit()) {
        if (!unit->IsItem()) continue;
        int32_t width = room;
        if (unit->ItemNumber() >= 0) {
            const std::string caption = ButtonCaption(unit->ItemNumber());
            if (caption.empty()) continue;
            width = htmlwin::MaxLineWidth(Caption(caption), screen) + room;
        }
        changed |= unit->Width() != width;
        unit->SetWidth(width);
    }
    if (changed) level->DropArrangements();
}

bool CWindowToolBar::ItemRectOf(int32_t item, RECT& out) {
    LayoutRect r;
    if (m_text.empty() || !ItemRect(m_text, m_rect, item, r)) return false;
    out = ToRECT(r);
    return true;
}

int CWindowToolBar::State(int32_t item) const {
    if (Handle() && !IsWindowEnabled(Handle())) return Disabled;
    if (item == m_pressed && m_pressedLook) return Pressed;
    if (m_hot.count(item) || (item == FocusedButton() && !m_focusByMouse)) return Hot;
    return Normal;
}

void CWindowToolBar::DrawItem(CWindowListPartContext& context, const RECT& rect, int32_t item,
                              const CWindowListPart& part) {
    HDC dc = context.DC();
    if (auto colour = m_partColours.find(item); colour != m_partColours.end()) context.Fill(rect, colour->second);
    const bool themed = DrawsThemed();
    if (item < 0) {  // a separator: a band 2 pixels wide in its middle
        RECT band{rect.left + (rect.right - rect.left - 2) / 2, rect.top + 2, 0, rect.bottom - 2};
        band.right = band.left + 2;
        if (!themed || !m_theme.DrawBackground(dc, kThemeSeparator, 1, band)) DrawEdge(dc, &band, EDGE_ETCHED, BF_LEFT);
        return;
    }
    const int state = State(item);
    RECT content = rect, frame = rect;
    if (themed && state != Normal && m_theme.DrawBackground(dc, kThemeButton, ThemeState(state), rect)) {
        // the theme drew the frame
    } else if (state == Pressed) {
        OffsetRect(&content, 2, 2);
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
    } else if (state == Hot) {
        DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    }
    std::string text = ButtonCaption(item);
    if (text.empty()) return;
    CHTMLCaption& caption = Caption(text);
    CSelectObject font(dc, FontHandle());
    htmlwin::DrawCaption(caption, dc, CaptionRect(caption, dc, content, part), nullptr, state != Disabled);
    if (item == FocusedButton() && !m_focusByMouse) {  // where the keyboard is
        RECT mark = rect;
        InflateRect(&mark, -3, -3);
        DrawFocusRect(dc, &mark);
    }
}

RECT CWindowToolBar::CaptionRect(CHTMLCaption& caption, HDC dc, const RECT& content, const CWindowListPart& part) {
    const int32_t cx = htmlwin::MaxLineWidth(caption, dc), cy = htmlwin::GetHeight(caption, dc);
    return ToRECT(AlignContent(ToLayoutRect(content), cx, cy,
                               part.Unit() ? part.Unit()->Alignment() : CWindowListUnitPart::kDefaultAlignment));
}

const CHTMLCaption::CHTMLElement* CWindowToolBar::AnchorAt(POINT pt) {
    if (!Handle() || !IsWindowEnabled(Handle()) || m_text.empty()) return nullptr;
    CWindowListPart part(nullptr, {});
    if (!HitTest({pt.x, pt.y}, m_text, m_rect, part) || !part.IsItem() || part.Unit()->ItemNumber() < 0) return nullptr;
    const std::string text = ButtonCaption(part.Unit()->ItemNumber());
    if (text.empty()) return nullptr;
    CHTMLCaption& caption = Caption(text);
    CWindowDC screen;
    CSelectObject font(screen, FontHandle());
    return htmlwin::HitTestAnchor(caption, screen, CaptionRect(caption, screen, ToRECT(part.Rect()), part), pt);
}

bool CWindowToolBar::OnSetCursor() {
    POINT pt;
    if (!GetCursorPos(&pt) || !ScreenToClient(Handle(), &pt) || !AnchorAt(pt)) return false;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return true;
}

void CWindowToolBar::Paint(HDC target) {
    RECT client;
    GetClientRect(Handle(), &client);
    COwnedDC mem(CreateCompatibleDC(target));
    Bitmap bitmap(CreateCompatibleBitmap(target, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)));
    {
        CSelectObject select(mem, bitmap.Get());
        FillRect(mem, &client, GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(mem, TRANSPARENT);
        if (!m_text.empty()) CWindowListPartFormatLevel::Paint(mem, m_text, ToRECT(m_rect));
        RECT edge = client;
        DrawEdge(mem, &edge, EDGE_ETCHED, BF_TOP);
        DrawEdge(mem, &edge, EDGE_RAISED, BF_BOTTOM);
        BitBlt(target, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    }
}

int32_t CWindowToolBar::ItemAt(POINT pt) {
    CWindowListPart part(nullptr, {});
    if (m_text.empty() || !HitTest({pt.x, pt.y}, m_text, m_rect, part) || !part.IsItem()) return INT32_MIN;
    return part.Unit()->ItemNumber();
}

void CWindowToolBar::InvalidateItem(int32_t item) {
    RECT r;
    if (Handle() && ItemRectOf(item, r)) InvalidateRect(Handle(), &r, FALSE);
}

void CWindowToolBar::SetHot(const std::set<int32_t>& hot) {
    std::vector<int32_t> changed;
    std::set_symmetric_difference(m_hot.begin(), m_hot.end(), hot.begin(), hot.end(), std::back_inserter(changed));
    m_hot = hot;
    for (int32_t item : changed) InvalidateItem(item);
}

void CWindowToolBar::MouseMove(POINT pt) {
    if (!m_tracking && TrackMouse()) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        m_tracking = TrackMouse()(&tme) != FALSE;
    }
    if (m_pressed != INT32_MIN) {  // following a held button
        bool look = ItemAt(pt) == m_pressed;
        if (look != m_pressedLook) {
            m_pressedLook = look;
            InvalidateItem(m_pressed);
        }
        return;
    }
    ShowTip(ItemAt(pt));
    std::set<int32_t> hot;
    if (!m_text.empty())
        ForEachPart(m_text, m_rect, [&](const CWindowListPart& part) {
            if (part.IsItem() && part.Unit()->ItemNumber() >= 0 && Contains(part.Rect(), pt))
                hot.insert(part.Unit()->ItemNumber());
        });
    SetHot(hot);
}

void CWindowToolBar::ShowTip(int32_t item) {
    RECT r{};
    const std::string tip =
        item >= 0 && m_tooltip.Enabled() && ItemRectOf(item, r) && !IsRectEmpty(&r) ? ItemTip(item) : std::string();
    if (tip.empty()) {
        m_tooltip.Hide();
        return;
    }
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    m_tooltip.Place(Handle(), nullptr, POINT{r.right + 4, (r.top + r.bottom) / 2});
    m_tooltip.SetTexts(tip);
    m_tooltip.RequestShow(true);
}

void CWindowToolBar::ClickItem(int32_t item) {
    RECT r{};
    ItemRectOf(item, r);
    Click(item, r);
}

void CWindowToolBar::Press(POINT pt) {
    m_tooltip.Hide();
    m_focusByMouse = true;
    SetFocus(Handle());
    if (const CHTMLCaption::CHTMLElement* anchor = AnchorAt(pt)) {
        // Copies: whoever answers may change the captions.
        const std::string id = anchor->AnchorId(), options = anchor->AnchorOptions();
        if (m_notify && ::IsWindow(m_notify))
            SendMessageA(m_notify, RegisterWindowMessageA("PM_ANCHORCLICK"), reinterpret_cast<WPARAM>(id.c_str()),
                         reinterpret_cast<LPARAM>(options.c_str()));
        return;
    }
    const int32_t item = ItemAt(pt);
    if (item == INT32_MIN) return;
    switch (ItemStyle(item)) {
    case ClickOnPress:
        ClickItem(item);
        break;
    case DropDown: {
        m_pressed = item;
        m_pressedLook = true;
        InvalidateItem(item);
        UpdateWindow(Handle());
        HWND self = Handle();
        ClickItem(item);
        if (self != Handle() || !::IsWindow(self)) return;  // the click closed the preview
        m_pressed = INT32_MIN;
        m_pressedLook = false;
        InvalidateItem(item);
        break;
    }
    case Button:
    case ClickOnRelease:
        m_pressed = item;
        m_pressedLook = true;
        SetCapture(Handle());
        InvalidateItem(item);
        break;
    default:
        break;
    }
}

void CWindowToolBar::Release(POINT pt, bool cancel) {
    const int32_t item = m_pressed;
    if (item == INT32_MIN) return;
    const bool click = !cancel && (pt.x == INT32_MIN || ItemAt(pt) == item);
    m_pressed = INT32_MIN;
    m_pressedLook = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    HWND self = Handle();
    if (click && ItemStyle(item) == ClickOnRelease) ClickItem(item);
    if (self != Handle()) return;
    InvalidateItem(item);
    if (click && ItemStyle(item) == Button) {
        UpdateWindow(Handle());
        ClickItem(item);
    }
}

void CWindowToolBar::Key(WPARAM key) {
    if (m_pressed != INT32_MIN) {  // a key ends mouse tracking: Escape cancels, others release
        if (key != VK_SHIFT && key != VK_CONTROL) Release({INT32_MIN, INT32_MIN}, key == VK_ESCAPE);
        return;
    }
    if (RouteKey(key)) return;
    RECT current{};
    const bool hasCurrent = m_keyItem != INT32_MIN && ItemRectOf(m_keyItem, current);
    if ((key == VK_RETURN || key == VK_SPACE) && hasCurrent) {
        ClickItem(m_keyItem);
        return;
    }
    if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN) return;
    LayoutRect next{};
    bool found = false;
    if (!hasCurrent) {  // the first button in reading order
        found = !m_text.empty() && ForEachPart(m_text, m_rect, [&](const CWindowListPart& part) {
            if (!found && part.IsItem() && part.Unit()->ItemNumber() >= 0) next = part.Rect(), found = true;
        }) && found;
    }
    int32_t item = found ? ItemAt({(next.left + next.right) / 2, (next.top + next.bottom) / 2}) : INT32_MIN;
    // Step over separators (and anything that is no button) in the same direction.
    LayoutRect cur = ToLayoutRect(current);
    for (int steps = 0; hasCurrent && item < 0 && steps < 256; ++steps) {
        found = key == VK_LEFT    ? NeighbourLeft(m_text, m_rect, cur, next)
                : key == VK_RIGHT ? NeighbourRight(m_text, m_rect, cur, next)
                : key == VK_UP    ? NeighbourAbove(m_text, m_rect, cur, next)
                                  : NeighbourBelow(m_text, m_rect, cur, next);
        if (!found || (next.left == cur.left && next.top == cur.top && next.right == cur.right &&
                       next.bottom == cur.bottom))
            return;
        cur = next;
        item = ItemAt({(next.left + next.right) / 2, (next.top + next.bottom) / 2});
    }
    if (item >= 0) SetKeyItem(item);
}

void CWindowToolBar::OnFinalMessage() {
    m_access.Cut();  // readers still holding the toolbar's object get an error from now on
    m_focusByMouse = false;
    m_tooltip.Destroy();
    m_theme.Close();
    m_hot.clear();
    m_pressed = m_keyItem = INT32_MIN;
}

LRESULT CWindowToolBar::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CPaintDC dc(Handle());
        Paint(dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_SIZE:
        RecalcLayout();
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(pt);
        return 0;
    case WM_MOUSELEAVE:
        m_tracking = false;
        if (m_pressed == INT32_MIN) SetHot({});
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(pt);
        return 0;
    case WM_LBUTTONUP:
        Release(pt, false);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != Handle()) Release({INT32_MIN, INT32_MIN}, true);
        return 0;
    case WM_KEYDOWN:
        if (wp != VK_CONTROL) m_tooltip.Hide();  // Control keeps a shown tooltip
        Key(wp);
        return 0;
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_GETOBJECT:
        if (LRESULT answer = AnswerAccessible(wp, lp)) return answer;
        return DefProc(msg, wp, lp);
    case WM_MOUSEWHEEL:  // the wheel always scrolls the pages
        if (m_notify && m_notify != Handle() && ::IsWindow(m_notify)) return SendMessageA(m_notify, msg, wp, lp);
        return DefProc(msg, wp, lp);
    case kPressMessage:
        PressPosted(static_cast<int32_t>(static_cast<INT_PTR>(wp)));
        return 0;
    case WM_KILLFOCUS:
        m_focusByMouse = false;
        m_tooltip.Hide();
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(FontHandle());
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == Handle() && OnSetCursor()) return TRUE;
        return DefProc(msg, wp, lp);
    case WM_THEMECHANGED:
        m_theme.Open(Handle(), L"TOOLBAR");
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CHAR:
        return 0;
    default:
        return DefProc(msg, wp, lp);
    }
}
