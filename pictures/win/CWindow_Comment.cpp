#include "pictures/win/CWindow_Comment.h"

#include <algorithm>
#include <vector>

#include "html/win/HTMLCaptionDraw.h"
#include "pictures/win/CHTMLPicture.h"
#include "platform/Colour.h"
#include "platform/Module.h"
#include "platform/WindowDpi.h"
#include "scaling/DpiScale.h"

namespace {

// Wine keeps WS_CHILD, WS_EX_TOPMOST and WS_EX_TOOLWINDOW on a child of the desktop window and
// treats it as a top-level window, so the stated class and styles are used as they are.
CWindow::ClassInfo g_class{CWindow_Comment::kClassName,
                           nullptr,
                           CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                           0,
                           reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)),
                           nullptr};
constexpr UINT kHideMessage = WM_APP + 1;  // a key was pressed somewhere on the thread
constexpr int kAnchorCursorId = 6;
constexpr int kTextInset = 2;

ComPtr<IFont> TooltipFont() {
    FONTDESC desc{sizeof(FONTDESC), const_cast<LPOLESTR>(L"Arial"), {}, FW_NORMAL, DEFAULT_CHARSET, FALSE, FALSE,
                  FALSE};
    desc.cySize.int64 = 80000;  // 8 points
    ComPtr<IFont> font;
    OleCreateFontIndirect(&desc, IID_IFont, font.PutVoid());
    return font;
}

CommentRules::Point ToPoint(POINT p) { return {p.x, p.y}; }

// Breaks a title into lines of at most `width` pixels, at blanks where it can; line feeds count
// as blanks.
std::vector<std::string> BreakLines(HDC dc, std::string text, int width) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        // A line of 196 pixels never holds more characters than this: measure no more.
        const int chunk = static_cast<int>(std::min<size_t>(text.size() - at, 512));
        int fit = 0;
        SIZE extent{};
        if (!GetTextExtentExPointA(dc, text.data() + at, chunk, width, &fit, nullptr, &extent)) fit = chunk;
        size_t take = static_cast<size_t>(std::max(fit, 1));
        if (at + take < text.size()) {
            const size_t blank = text.rfind(' ', at + take);
            if (blank != std::string::npos && blank > at) take = blank - at + 1;
        }
        lines.push_back(text.substr(at, take));
        at += take;
    }
    return lines;
}

}  // namespace

// Hides the shown tooltips of the thread when a key other than Control goes down or up,
// whichever window has the focus. The hook lives only while a tooltip shows.
struct CommentKeyWatch {
    static thread_local std::vector<CWindow_Comment*> shown;
    static thread_local HHOOK hook;

    static void Add(CWindow_Comment* tip) {
        if (std::find(shown.begin(), shown.end(), tip) == shown.end()) shown.push_back(tip);
        if (!hook) hook = SetWindowsHookExA(WH_KEYBOARD, Proc, nullptr, GetCurrentThreadId());
    }
    static void Remove(CWindow_Comment* tip) {
        shown.erase(std::remove(shown.begin(), shown.end(), tip), shown.end());
        if (shown.empty() && hook) UnhookWindowsHookEx(std::exchange(hook, nullptr));
    }
    static LRESULT CALLBACK Proc(int code, WPARAM key, LPARAM info) {
        // Posted: hiding repaints what lay below, which must not run inside the hook.
        if (code == HC_ACTION && key != VK_CONTROL)
            for (CWindow_Comment* tip : shown)
                if (tip->Handle()) PostMessageA(tip->Handle(), kHideMessage, 0, 0);
        return CallNextHookEx(nullptr, code, key, info);
    }
};
thread_local std::vector<CWindow_Comment*> CommentKeyWatch::shown;
thread_local HHOOK CommentKeyWatch::hook = nullptr;

CWindow_Comment::CWindow_Comment() : m_font(TooltipFont()) {}

CWindow_Comment::~CWindow_Comment() { Destroy(); }

HFONT CWindow_Comment::FontHandle() const {
    HFONT handle = nullptr;
    if (m_font && FAILED(m_font->get_hFont(&handle))) handle = nullptr;
    return handle ? handle : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool CWindow_Comment::Place(HWND owner, Callback callback, POINT screen) {
    m_at = screen;
    if (!IsWindow()) {
        if (!Create(g_class, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    RECT{screen.x, screen.y, screen.x, screen.y}, GetDesktopWindow()))
            return false;
        m_theme.Open(Handle(), L"Tooltip");
    }
    m_owner = owner;
    m_callback = std::move(callback);
    // Without an owner the pointer may be anywhere on the desktop.
    RECT r{};
    GetWindowRect(owner && ::IsWindow(owner) ? owner : GetDesktopWindow(), &r);
    m_rules.SetOwnerRect({r.left, r.top, r.right, r.bottom});
    Layout();
    MoveToPlace(false);
    return true;
}

void CWindow_Comment::SetTexts(const std::string& body, const std::string& title, bool force) {
    static thread_local bool busy = false;  // a caption host answering may set texts again
    if (busy || (!force && body == m_body && title == m_title)) return;
    busy = true;
    Apply(m_rules.TextsChanged(World(true)));
    m_body = body;
    if (!m_caption) m_caption = std::make_unique<CHTMLCaption>();
    m_caption->SetCaption(m_body, m_host);
    m_caption->SetIconSize(dpi::IconSize(WindowDpi(m_owner)));  // as large as the toolbar's
    m_textMode = true;
    SetTitle(title);
    // The plain text as the window's text, for whoever reads windows rather than pixels.
    if (Handle()) {
        const std::string plain = m_caption->GetPlainText();
        SetWindowTextA(Handle(), (m_title.empty() ? plain : m_title + "\n" + plain).c_str());
    }
    busy = false;
}

void CWindow_Comment::SetTitle(const std::string& title) {
    m_title = title;
    m_layoutDue = true;
    UpdateContent();
    Layout();
    if (Visible())  // resized where it stands
        SetWindowPos(Handle(), nullptr, 0, 0, m_size.cx, m_size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindow_Comment::SetHost(IHTMLCaptionHostBase* host) {
    m_host = host;
    if (m_caption) {
        m_caption->SetCaption(m_body, m_host);
        m_caption->SetIconSize(dpi::IconSize(WindowDpi(m_owner)));
    }
    m_layoutDue = true;
}

void CWindow_Comment::SetObject(IUnknown* object) {
    m_object = ComPtr<IUnknown>(object);
    m_textMode = !m_object && !m_picture;
    m_layoutDue = true;
    UpdateContent();
}

void CWindow_Comment::SetPicture(IPicture* picture) {
    m_picture = ComPtr<IPicture>(picture);
    m_textMode = !m_object && !m_picture;
    m_layoutDue = true;
    UpdateContent();
}

void CWindow_Comment::SetColors(std::optional<uint32_t> background, std::optional<uint32_t> text) {
    m_background = background;
    m_textColour = text;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void CWindow_Comment::UpdateContent() {
    m_rules.SetContent(!m_title.empty() || (m_textMode && !m_body.empty()) || m_object || m_picture);
}

void CWindow_Comment::RequestShow() { Apply(m_rules.RequestShow(World(true))); }

void CWindow_Comment::RequestShow(bool on) { Apply(m_rules.RequestShow(on, World(true))); }

void CWindow_Comment::Show() { Apply(m_rules.Show(World(true))); }

void CWindow_Comment::ShowAt(POINT screen) {
    m_at = screen;
    Apply(m_rules.ShowAt(World(true)), true);
}

void CWindow_Comment::Hide() { Apply(m_rules.Hide(World(true))); }

CommentRules::World CWindow_Comment::World(bool messagePos) const {
    POINT p{};
    if (messagePos) {
        const DWORD pos = GetMessagePos();
        p = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    } else {
        GetCursorPos(&p);
    }
    CommentRules::World w;
    w.mouse = ToPoint(p);
    w.ownerActive = OwnerActive();
    w.callbackAgrees = !m_callback || m_callback();
    w.buttonDown = GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
    w.controlDown = GetAsyncKeyState(VK_CONTROL) < 0;
    return w;
}

bool CWindow_Comment::OwnerActive() const {
    if (!m_owner) return true;
    if (!::IsWindow(m_owner)) return false;
    HWND foreground = GetForegroundWindow();
    if (!foreground || !GetParent(foreground)) return true;
    for (HWND w = m_owner; w; w = GetParent(w))
        if (w == foreground) return true;
    return false;
}

void CWindow_Comment::Apply(unsigned effects, bool showAt) {
    HWND self = Handle();
    if (!self || !effects) return;
    if (effects & CommentRules::kStopDelay) KillTimer(self, kShowTimer);
    if (effects & CommentRules::kStopDisplay) KillTimer(self, kDisplayTimer);
    if (effects & CommentRules::kStartDelay) SetTimer(self, kShowTimer, m_rules.showDelay, nullptr);
    if (effects & CommentRules::kStartDisplay) SetTimer(self, kDisplayTimer, m_rules.displayTime, nullptr);
    if (effects & CommentRules::kHide) {
        CommentKeyWatch::Remove(this);
        SetWindowPos(self, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        // What lay below repaints now, not when the thread next runs out of input.
        MSG msg;
        for (int i = 0; i < 64 && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
            DispatchMessageA(&msg);
    }
    if ((effects & CommentRules::kShow) && ::IsWindow(self)) {
        Layout();
        MoveToPlace(showAt);
        SetWindowPos(self, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        InvalidateRect(self, nullptr, FALSE);
        CommentKeyWatch::Add(this);
    }
}

int CWindow_Comment::Margin(HDC dc) const {
    // The theme's content margin of a 32 x 32 tooltip; 6 without visual styles.
    RECT content{};
    if (m_theme.ContentRect(dc, 1, 1, RECT{0, 0, 32, 32}, content))
        return std::max<int>(0, 32 - (content.right - content.left));
    return 6;
}

// The layout width grows with the owner's resolution, like the toolbar beside it.
int CWindow_Comment::LayoutWidth() const { return dpi::Scale(kLayoutWidth, WindowDpi(m_owner)); }

SIZE CWindow_Comment::BodySize(HDC dc) {
    if (m_textMode) {
        if (m_body.empty() || !m_caption) return {0, 0};
        const RECT r = htmlwin::SetWordWrap(*m_caption, true, dc, RECT{0, 0, LayoutWidth(), kLayoutHeight});
        return {r.right - r.left, r.bottom - r.top};
    }
    // An object or a picture: its own size, shrunk into the layout rectangle.
    SIZEL himetric{};
    if (m_object) {
        ComPtr<IViewObject2> view;
        ComPtr<IOleObject> ole;
        if (SUCCEEDED(m_object->QueryInterface(IID_IViewObject2, view.PutVoid())))
            view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &himetric);
        else if (SUCCEEDED(m_object->QueryInterface(IID_IOleObject, ole.PutVoid())))
            ole->GetExtent(DVASPECT_CONTENT, &himetric);
    }
    SIZE size{MulDiv(himetric.cx, GetDeviceCaps(dc, LOGPIXELSX), 2540),
              MulDiv(himetric.cy, GetDeviceCaps(dc, LOGPIXELSY), 2540)};
    if (!m_object && m_picture) size = CHTMLPicture(m_picture).GetSize();
    size.cx = std::max<LONG>(size.cx, 0);
    size.cy = std::max<LONG>(size.cy, 0);
    if (size.cx > kLayoutWidth || size.cy > kLayoutHeight) {
        const double scale = std::min(double(kLayoutWidth) / size.cx, double(kLayoutHeight) / size.cy);
        size = {LONG(size.cx * scale), LONG(size.cy * scale)};
    }
    return size;
}

void CWindow_Comment::Layout() {
    if (!m_layoutDue) return;
    m_layoutDue = false;
    CWindowDC screen;
    int titleWidth = 0;
    {
        CSelectObject font(screen, FontHandle());
        m_bodySize = BodySize(screen);
        if (!m_bold) {
            LOGFONTA lf{};
            GetObjectA(FontHandle(), sizeof(lf), &lf);
            lf.lfWeight = FW_BOLD;
            m_bold.Reset(CreateFontIndirectA(&lf));
        }
    }
    {
        CSelectObject bold(screen, m_bold.Get());
        m_titleLines = m_title.empty() ? std::vector<std::string>() : BreakLines(screen, m_title, LayoutWidth());
        TEXTMETRICA tm{};
        GetTextMetricsA(screen, &tm);
        m_titleLineHeight = tm.tmHeight;
        for (const std::string& line : m_titleLines) {
            SIZE extent{};
            GetTextExtentPoint32A(screen, line.c_str(), static_cast<int>(line.size()), &extent);
            titleWidth = std::max<int>(titleWidth, extent.cx);
        }
    }
    const int margin = Margin(screen);
    const int titleHeight = static_cast<int>(m_titleLines.size()) * m_titleLineHeight;
    // Never larger than the desktop, whatever the texts.
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    m_size = {std::min<LONG>(std::max<int>(titleWidth, m_bodySize.cx) + margin + 4, desktop.right - desktop.left),
              std::min<LONG>(titleHeight + m_bodySize.cy + margin + 4, desktop.bottom - desktop.top)};
}

void CWindow_Comment::MoveToPlace(bool showAt) {
    if (!Handle()) return;
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    int x = showAt ? m_at.x - m_size.cx / 2 : m_at.x, y = showAt ? m_at.y - m_size.cy : m_at.y;
    x = std::max<int>(desktop.left, std::min<int>(x, desktop.right - m_size.cx));
    y = std::max<int>(desktop.top, std::min<int>(y, desktop.bottom - m_size.cy));
    SetWindowPos(Handle(), nullptr, x, y, m_size.cx, m_size.cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWindow_Comment::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    const bool themed = m_theme.DrawBackground(dc, 1, 1, r);
    if (m_background) {
        Brush fill(CreateSolidBrush(ToColorRef(*m_background)));
        FillRect(dc, &r, fill.Get());
    } else if (!themed) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    }
    // The frame margin split around the content.
    const int half = Margin(dc) / 2;
    r.left += kTextInset + half;
    r.top += kTextInset + half;
    r.right -= kTextInset;
    r.bottom -= kTextInset;
    SetBkMode(dc, TRANSPARENT);
    const COLORREF text = m_textColour ? ToColorRef(*m_textColour) : GetSysColor(COLOR_INFOTEXT);
    SetTextColor(dc, text);
    {
        CSelectObject bold(dc, m_bold.Get());
        for (const std::string& line : m_titleLines) {
            RECT lr{r.left, r.top, r.right, r.top + m_titleLineHeight};
            DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &lr, DT_SINGLELINE | DT_NOPREFIX);
            r.top += m_titleLineHeight;
        }
    }
    const RECT body{r.left, r.top, r.left + m_bodySize.cx, r.top + m_bodySize.cy};
    if (m_textMode) {
        if (!m_caption || m_body.empty()) return;
        CSelectObject font(dc, FontHandle());
        htmlwin::DrawCaption(*m_caption, dc, body, nullptr, true);
        m_bodyRect = body;
    } else if (m_object) {
        OleDraw(m_object.Get(), DVASPECT_CONTENT, dc, &body);  // a failure leaves the background
    } else if (m_picture) {
        CHTMLPicture(m_picture).Draw(dc, body);
    }
}

const CHTMLCaption::CHTMLElement* CWindow_Comment::HitTestAnchor(POINT client) {
    if (!m_textMode || !m_caption || !Handle() || m_body.empty()) return nullptr;
    CWindowDC dc(Handle());
    CSelectObject font(dc, FontHandle());
    return htmlwin::HitTestAnchor(*m_caption, dc, m_bodyRect, client);
}

void CWindow_Comment::Forward(UINT msg, WPARAM wp) {
    // Module-wide: the same message at the same place goes on once, whichever tooltip saw it.
    static thread_local UINT lastMessage = 0;
    static thread_local POINT lastAt{INT32_MIN, INT32_MIN};
    POINT cursor{};
    GetCursorPos(&cursor);
    if (msg == lastMessage && cursor.x == lastAt.x && cursor.y == lastAt.y) return;
    lastMessage = msg;
    lastAt = cursor;
    RECT owner{};
    if (!m_owner || !::IsWindow(m_owner) || !GetWindowRect(m_owner, &owner) || !PtInRect(&owner, cursor)) return;
    POINT inOwner = cursor;
    ScreenToClient(m_owner, &inOwner);
    HWND target = ChildWindowFromPointEx(m_owner, inOwner, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!target) target = m_owner;
    POINT at = cursor;
    ScreenToClient(target, &at);
    PostMessageA(target, msg, wp, MAKELPARAM(at.x, at.y));
}

void CWindow_Comment::OnFinalMessage() {
    CommentKeyWatch::Remove(this);
    m_theme.Close();
    m_rules.Destroyed();
}

LRESULT CWindow_Comment::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        SetTimer(Handle(), kDisplayTimer, m_rules.displayTime, nullptr);
        SetTimer(Handle(), kTrackTimer, kTrackInterval, nullptr);
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return 0;
    case WM_DESTROY:
        KillTimer(Handle(), kDisplayTimer);
        KillTimer(Handle(), kShowTimer);
        KillTimer(Handle(), kTrackTimer);
        m_title.clear();
        m_body.clear();
        m_titleLines.clear();
        if (m_caption) m_caption->SetCaption("", m_host);
        m_layoutDue = true;
        UpdateContent();
        return 0;
    case WM_TIMER:
        if (wp == kShowTimer)
            Apply(m_rules.OnDelayTimer(World(false)));
        else if (wp == kDisplayTimer)
            Apply(m_rules.OnDisplayTimer(World(false)));
        else if (wp == kTrackTimer)
            Apply(m_rules.OnTrackTimer(World(false)));
        return 0;
    case kHideMessage:
        Hide();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CPaintDC paint(Handle());
        RECT client;
        GetClientRect(Handle(), &client);
        CMemDC memory(paint, client);
        Paint(memory);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_MOUSEMOVE:
        Apply(m_rules.OnMouseMove());
        Forward(msg, wp);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        const CHTMLCaption::CHTMLElement* anchor = msg == WM_LBUTTONDOWN ? HitTestAnchor(at) : nullptr;
        Hide();
        if (anchor && m_anchorHook) m_anchorHook(*anchor);
        if (Handle()) Forward(msg, wp);
        return 0;
    }
    case WM_SETCURSOR: {
        POINT at{};
        if (LOWORD(lp) == HTCLIENT && GetCursorPos(&at) && ScreenToClient(Handle(), &at) && HitTestAnchor(at)) {
            HCURSOR cursor = LoadCursorA(CModule::Instance(), MAKEINTRESOURCEA(kAnchorCursorId));
            SetCursor(cursor ? cursor : LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        return DefProc(msg, wp, lp);
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(FontHandle());
    case WM_THEMECHANGED:
        m_theme.Open(Handle(), L"Tooltip");
        m_layoutDue = true;
        return 0;
    default:
        return DefProc(msg, wp, lp);
    }
}
