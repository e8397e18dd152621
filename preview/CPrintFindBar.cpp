#include "CPrintFindBar.h"
#include "CHostEMFPages.h"
#include "CPrintWorkspace.h"
#include "Gdi.h"
#include "Messages.h"
#include "TextSearch.h"
#include "WaitCursor.h"
#include "toolbar/CPrintToolBar.h"
#include <algorithm>
#include <cmath>

namespace {

CWindow::ClassInfo g_class{"Koravel.Print.FindBar", nullptr, 0, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr};
constexpr const char* kBarProperty = "Koravel.Print.FindBar";
enum : int { kEditId = 1, kNextId = 2, kPreviousId = 3 };
constexpr int kPad = 4, kEditWidth = 220;
// Highlighter over the page: the destination ANDed with the brush (DPa), so text stays dark.
constexpr DWORD kHighlightRop = 0x00A000C9;

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// "%i of %i" with the current match and the count.
std::string FormatCount(std::string format, long current, size_t count) {
    const std::string values[2] = {std::to_string(current), std::to_string(count)};
    size_t from = 0;
    for (const std::string& v : values) {
        const size_t at = format.find("%i", from);
        if (at == std::string::npos) break;
        format.replace(at, 2, v);
        from = at + v.size();
    }
    return format;
}

int TextWidth(HWND hwnd, const std::string& text) {
    CWindowDC dc(hwnd);
    CSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

CPrintFindBar::CPrintFindBar(CPrintWorkspace& workspace, CHostEMFPages& pages, CPrintToolBar& toolbar)
    : workspace_(workspace), pages_(pages), toolbar_(toolbar) {}

bool CPrintFindBar::OnWorkspaceKey(WPARAM key) {
    if (key == 'F' && Down(VK_CONTROL)) {
        Open();
        return true;
    }
    if (key != VK_F3) return false;
    if (!IsOpen()) Open();
    Go(!Down(VK_SHIFT));
    return true;
}

void CPrintFindBar::Open() {
    HWND frame = workspace_.Window() ? GetParent(workspace_.Window()) : nullptr;
    if (!frame) return;
    if (!IsWindow()) {
        Create(g_class, WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP, RECT{0, 0, 0, 0}, frame);
        if (!IsWindow()) return;
    }
    if (!IsWindowVisible(Handle())) {
        // The captions as the host has them now.
        SetWindowTextA(label_, toolbar_.ItemCaption(kFindLabel).c_str());
        SetWindowTextA(previous_, toolbar_.ItemCaption(kPrevious).c_str());
        SetWindowTextA(next_, toolbar_.ItemCaption(kNext).c_str());
        ShowWindow(Handle(), SW_SHOWNA);
        Relayout();
        Layout();
    }
    SetFocus(edit_);
    SendMessageA(edit_, EM_SETSEL, 0, -1);
}

void CPrintFindBar::Close() {
    if (!IsOpen()) return;
    matches_.clear();
    searched_.clear();
    current_ = -1;
    ShowCount("");
    ShowWindow(Handle(), SW_HIDE);
    Relayout();
    if (HWND pages = workspace_.Window()) {
        InvalidateRect(pages, nullptr, FALSE);
        SetFocus(pages);
    }
}

int CPrintFindBar::Height() const {
    if (!IsOpen()) return 0;
    TEXTMETRICA tm{};
    CWindowDC dc(Handle());
    CSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsA(dc, &tm);
    return tm.tmHeight + 4 * kPad;
}

void CPrintFindBar::Relayout() {
    // The frame lays its children out from its client size alone.
    if (HWND frame = GetParent(Handle())) SendMessageA(frame, WM_SIZE, 0, 0);
}

uint64_t CPrintFindBar::PagesStamp() const {
    // Which pages there are and how long each is: a new recording changes it.
    uint64_t h = 1469598103934665603ull;
    for (long i = 0; i < pages_.GetCount(); ++i) {
        const CEMFPage& page = pages_.GetPage(i);
        for (uint64_t v : {uint64_t(reinterpret_cast<uintptr_t>(&page)), uint64_t(page.Bits().size())})
            h = (h ^ v) * 1099511628211ull;
    }
    return h;
}

void CPrintFindBar::Search() {
    workspace_.CompleteRecording();
    const int length = GetWindowTextLengthW(edit_);
    std::u16string needle(static_cast<size_t>(std::max(length, 0)), u'\0');
    if (length > 0)
        needle.resize(static_cast<size_t>(GetWindowTextW(edit_, reinterpret_cast<wchar_t*>(&needle[0]), length + 1)));
    const uint64_t stamp = PagesStamp();
    if (needle == searched_ && stamp == stamp_) return;
    searched_ = needle;
    stamp_ = stamp;
    matches_.clear();
    current_ = -1;
    if (needle.empty()) return;
    CWaitCursor wait;  // a long document takes a moment
    for (long i = 0; i < pages_.GetCount() && matches_.size() < kMatchesKept; ++i) {
        const CEMFPage& page = pages_.GetPage(i);
        for (size_t at : pagetext::FindAll(texts_.TextOf(page), needle, false, kMatchesKept - matches_.size()))
            matches_.push_back(
                Match{i, static_cast<uint32_t>(at), static_cast<uint32_t>(needle.size()), &page, page.Bits().size()});
    }
}

void CPrintFindBar::Go(bool forward) {
    Search();
    if (HWND pages = workspace_.Window()) InvalidateRect(pages, nullptr, FALSE);
    if (matches_.empty()) {
        ShowCount(searched_.empty() ? "" : toolbar_.ItemCaption(kNotFound));
        return;
    }
    const long n = static_cast<long>(matches_.size());
    if (current_ >= 0) {
        current_ = (current_ + (forward ? 1 : n - 1)) % n;
    } else {
        // The first match from the current page on (or the last up to it, going back).
        const long page = workspace_.CurrentPage();
        auto at = forward ? std::lower_bound(matches_.begin(), matches_.end(), page,
                                             [](const Match& m, long p) { return m.page < p; })
                          : std::upper_bound(matches_.begin(), matches_.end(), page,
                                             [](long p, const Match& m) { return p < m.page; });
        if (forward) current_ = at == matches_.end() ? 0 : static_cast<long>(at - matches_.begin());
        else current_ = at == matches_.begin() ? n - 1 : static_cast<long>(at - matches_.begin()) - 1;
    }
    ShowCount(FormatCount(toolbar_.ItemCaption(kCount), current_ + 1, matches_.size()));
    const Match& match = matches_[static_cast<size_t>(current_)];
    workspace_.ShowPage(static_cast<int>(match.page));
    ScrollToMatch(match);
}

void CPrintFindBar::ScrollToMatch(const Match& match) {
    // A magnified page may hold the match below the window (or above it).
    RECT client;
    GetClientRect(workspace_.Window(), &client);
    for (const geometry::PlacedPage& placed : workspace_.VisiblePages()) {
        if (placed.index != match.page) continue;
        const auto text = texts_.Of(pages_.GetPage(match.page));
        if (match.start >= text->boxes.size() || text->page.bottom <= text->page.top) return;
        const int paper = placed.rect.Height() - geometry::kShadow;
        const pagetext::Box& box = text->boxes[match.start];
        const double scale = paper / double(text->page.bottom - text->page.top);
        const int top = int((box.top - text->page.top) * scale), bottom = int((box.bottom - text->page.top) * scale);
        if (placed.rect.top + top < 0 || placed.rect.top + bottom > client.bottom)
            workspace_.ScrollWithinPage(top);
        return;
    }
}

std::string CPrintFindBar::CountText() const {
    char text[256] = "";
    if (count_) GetWindowTextA(count_, text, sizeof text);
    return text;
}

void CPrintFindBar::ShowCount(const std::string& text) {
    if (count_) SetWindowTextA(count_, text.c_str());
}

void CPrintFindBar::DrawMarks(int index, HDC dc, const RECT& page) {
    if (!IsOpen() || matches_.empty() || index < 0 || index >= pages_.GetCount()) return;
    auto first = std::lower_bound(matches_.begin(), matches_.end(), long(index),
                                  [](const Match& m, long p) { return m.page < p; });
    if (first == matches_.end() || first->page != index) return;
    const CEMFPage& recorded = pages_.GetPage(index);
    if (first->recorded != &recorded || first->bytes != recorded.Bits().size()) return;
    const auto text = texts_.Of(recorded);
    const pagetext::Box& paper = text->page;
    const double w = paper.right - paper.left, h = paper.bottom - paper.top;
    if (!(w > 0 && h > 0)) return;
    const double sx = (page.right - page.left) / w, sy = (page.bottom - page.top) / h;
    Brush all(CreateSolidBrush(RGB(255, 255, 0))), current(CreateSolidBrush(RGB(255, 160, 40)));
    for (auto m = first; m != matches_.end() && m->page == index; ++m) {
        const bool isCurrent = m - matches_.begin() == current_;
        CSelectObject brush(dc, (isCurrent ? current : all).Get());
        for (size_t i = m->start; i < size_t(m->start) + m->length && i < text->boxes.size(); ++i) {
            const pagetext::Box& b = text->boxes[i];
            if (b.Empty()) continue;
            const int left = page.left + int(std::lround((b.left - paper.left) * sx));
            const int top = page.top + int(std::lround((b.top - paper.top) * sy));
            const int right = page.left + int(std::lround((b.right - paper.left) * sx));
            const int bottom = page.top + int(std::lround((b.bottom - paper.top) * sy));
            PatBlt(dc, left, top, std::max(right - left, 1), std::max(bottom - top, 1), kHighlightRop);
        }
    }
}

void CPrintFindBar::OnCreate() {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    auto child = [&](const char* cls, const std::string& text, DWORD style, int id, DWORD exStyle = 0) {
        HWND w = CreateWindowExA(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return w;
    };
    label_ = child("STATIC", toolbar_.ItemCaption(kFindLabel), SS_CENTERIMAGE, 0);
    edit_ = child("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kEditId, WS_EX_CLIENTEDGE);
    previous_ = child("BUTTON", toolbar_.ItemCaption(kPrevious), WS_TABSTOP | BS_PUSHBUTTON, kPreviousId);
    next_ = child("BUTTON", toolbar_.ItemCaption(kNext), WS_TABSTOP | BS_PUSHBUTTON, kNextId);
    count_ = child("STATIC", "", SS_CENTERIMAGE, 0);
    SetPropA(edit_, kBarProperty, this);
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPrintFindBar::EditProc)));
}

void CPrintFindBar::Layout() {
    RECT r;
    GetClientRect(Handle(), &r);
    const int top = kPad, height = std::max<int>(r.bottom - 2 * kPad, 0);
    int x = kPad * 2;
    auto place = [&](HWND w, int width) {
        MoveWindow(w, x, top, width, height, TRUE);
        x += width + kPad;
    };
    place(label_, TextWidth(label_, toolbar_.ItemCaption(kFindLabel)) + kPad);
    place(edit_, kEditWidth);
    place(previous_, TextWidth(previous_, toolbar_.ItemCaption(kPrevious)) + 6 * kPad);
    place(next_, TextWidth(next_, toolbar_.ItemCaption(kNext)) + 6 * kPad);
    place(count_, std::max<int>(r.right - x - kPad, 0));
}

LRESULT CALLBACK CPrintFindBar::EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* bar = static_cast<CPrintFindBar*>(GetPropA(edit, kBarProperty));
    if (!bar) return DefWindowProcW(edit, msg, wParam, lParam);
    const WNDPROC base = bar->editProc_;
    switch (msg) {
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_RETURN:
            bar->Go(!Down(VK_SHIFT));
            return 0;
        case VK_F3:
            bar->Go(!Down(VK_SHIFT));
            return 0;
        case VK_ESCAPE:
            bar->Close();
            return 0;
        case VK_TAB:
        case VK_F6:
            // The frame moves the focus between its panes.
            SendMessageA(GetParent(bar->Handle()), PreviewMessages::Get().nextPane, Down(VK_SHIFT) ? 0 : 1, 0);
            return 0;
        case 'F':
            if (Down(VK_CONTROL)) {
                SendMessageA(edit, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == '\t' || wParam == 27 || wParam == 6) return 0;  // no beep
        break;
    case WM_NCDESTROY:
        RemovePropA(edit, kBarProperty);
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
        break;
    default:
        break;
    }
    return CallWindowProcA(base, edit, msg, wParam, lParam);
}

LRESULT CPrintFindBar::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_SETFOCUS:
        if (edit_) SetFocus(edit_);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) {
            // A new text: the marks of the old one go, the next Return searches anew.
            if (!matches_.empty() && workspace_.Window()) InvalidateRect(workspace_.Window(), nullptr, FALSE);
            matches_.clear();
            searched_.clear();
            current_ = -1;
            ShowCount("");
        } else if (HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == kNextId || LOWORD(wParam) == kPreviousId)) {
            Go(LOWORD(wParam) == kNextId);
            SetFocus(edit_);
        }
        return 0;
    case WM_DESTROY:
        matches_.clear();
        searched_.clear();
        current_ = -1;
        edit_ = label_ = next_ = previous_ = count_ = nullptr;
        break;
    default:
        break;
    }
    return DefProc(msg, wParam, lParam);
}
