#include "CPrintWorkspace.h"
#include "WindowDpi.h"
#include "scaling/DpiScale.h"
#include "CHostEMFPages.h"
#include "CPrintFindBar.h"
#include "CPrintRecalcLayout.h"
#include "Gdi.h"
#include "Messages.h"
#include "Module.h"
#include "Text.h"
#include "html/win/HTMLCaptionDraw.h"
#include "printing/PageRange.h"
#include "toolbar/CPrintToolBar.h"
#include <algorithm>
#include <cstdio>
#include <windowsx.h>

namespace {

constexpr UINT kStatusTimer = 1000;
constexpr UINT kStatusPeriod = 64;  // ms
constexpr DWORD kStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;

CWindow::ClassInfo g_class{"Koravel.Print.Workspace", nullptr, CS_DBLCLKS, 0, nullptr, nullptr};

RECT ToRect(const geometry::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// ANDs the rectangle's pixels with the menu colour: pages outside the print set look dimmed.
void Tint(HDC dc, const RECT& r) {
    CSelectObject brush(dc, GetSysColorBrush(COLOR_MENU));
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0x00A000C9);  // DPa
}

}  // namespace

CPrintWorkspace::CPrintWorkspace(IDefaultSettings& defaults, CHostEMFPages& pages, CPrintToolBar& toolbar)
    : defaults_(defaults), settings_(defaults, PSD_MARGINS), pages_(pages), toolbar_(toolbar) {}

CPrintWorkspace::~CPrintWorkspace() { Destroy(); }

HWND CPrintWorkspace::Create(HWND frame) {
    return CWindow::Create(g_class, 0, kStyle, RECT{0, 0, 0, 0}, frame);
}

// --- recording and printing ---------------------------------------------------------

void CPrintWorkspace::RecordPages() {
    // Called first thing (a print or an export before any preview), the record is still
    // without its printer: load the default one, as every other first use does.
    if (!settings_.Record().hDevMode) settings_.LoadDefaults(nullptr);
    std::unique_ptr<CDCPrinter> printer = settings_.CreatePrinterDC();
    if (!printer) return;
    pages_.LoadPages(printer->GetSafeHdc(), &settings_.Record());
    settings_.ReleasePrinterDC(std::move(printer));
}

void CPrintWorkspace::Refresh(bool invalidate, bool reload) {
    CPrintRecalcLayout bracket(defaults_);
    settings_.LoadDefaults(nullptr);
    if (reload && pageSetupError_ == 0) {
        pages_.ClearPages();
        RecordPages();
    }
    if (!Window()) return;
    SetZoomCaption(GetZoomPercent());
    if (context_.IsZoomFixed()) FitPagesToZoom();
    // Scroll bars that come or go change the client area: the second pass sees the final one.
    UpdateScrollBars(4, 0);
    UpdateScrollBars(4, 0);
    if (invalidate) InvalidateRect(Handle(), nullptr, FALSE);
}

void CPrintWorkspace::DoPrint(bool showUI) {
    if (!Window()) {
        if (showUI) {
            DWORD error = 0;
            if (!settings_.DoModal(&error)) return;
        }
        Refresh(true, true);
    }
    Print();
}

void CPrintWorkspace::Print() {
    // The spooler names the document after the caption, in the system code page.
    const BSTR caption = pages_.documentCaption_.Caption.Get();
    std::string name = ToAnsi(caption, static_cast<int>(SysStringLen(caption)));
    RunPrintJob(settings_, pages_, caption ? &name : nullptr, selection_);
}

// --- the view settings ----------------------------------------------------------------

namespace {
constexpr const char* kSection = "Koravel.Print";
constexpr const char* kContextNames[5] = {"PrintWorkspace_XPages", "PrintWorkspace_YPages", "PrintWorkspace_Zoom",
                                          "PrintWorkspace_ZoomFixed", "PrintWorkspace_PageWidth"};
}  // namespace

void CPrintWorkspace::PrintContext::SetPages(int x, int y, int zoomFixed) {
    XPages = x;
    YPages = y;
    ZoomFixed = zoomFixed;
    PageWidth = 0;
}

void CPrintWorkspace::PrintContext::SetZoom(int zoom, int pageWidth, int zoomFixed) {
    Zoom = zoom;
    PageWidth = pageWidth;
    ZoomFixed = zoomFixed;
}

void CPrintWorkspace::PrintContext::SetPageWidth() {
    ZoomFixed = 0;
    XPages = YPages = 1;
    PageWidth = 1;
}

void CPrintWorkspace::PrintContext::Save() const {
    const int values[5] = {XPages, YPages, Zoom, ZoomFixed, PageWidth};
    for (int i = 0; i < 5; ++i) WriteProfileStringA(kSection, kContextNames[i], std::to_string(values[i]).c_str());
}

void CPrintWorkspace::PrintContext::Load() {
    int* fields[5] = {&XPages, &YPages, &Zoom, &ZoomFixed, &PageWidth};
    const int defaults[5] = {1, 1, 100, 0, 0};
    for (int i = 0; i < 5; ++i) *fields[i] = static_cast<int>(GetProfileIntA(kSection, kContextNames[i], defaults[i]));
    // A profile edited by hand must not make an empty grid.
    XPages = std::max(XPages, 1);
    YPages = std::max(YPages, 1);
}

void CPrintWorkspace::PrintContext::Restore() {
    XPages = saved_[0];
    YPages = saved_[1];
    Zoom = saved_[2];
    ZoomFixed = saved_[3];
    PageWidth = saved_[4];
    backedUp_ = false;
}

void CPrintWorkspace::PrintContext::Backup(int tag) {
    const int values[5] = {XPages, YPages, Zoom, ZoomFixed, PageWidth};
    std::copy(values, values + 5, saved_);
    tag_ = tag;
    backedUp_ = true;
}

// --- geometry -------------------------------------------------------------------------

geometry::Size CPrintWorkspace::ClientSize() const {
    RECT r{};
    if (IsWindow()) GetClientRect(Handle(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

bool CPrintWorkspace::HasPrinterSetup() {
    const POINT paper = settings_.Record().ptPaperSize;
    return settings_.Record().hDevMode && paper.x > 0 && paper.y > 0;
}

geometry::Size CPrintWorkspace::Paper() {
    const POINT paper = settings_.Record().ptPaperSize;
    return {paper.x, paper.y};
}

geometry::Rect CPrintWorkspace::GetSpacing() const {
    using geometry::kSpacing;
    // Room for the rulers: their width, and what their gap to the page adds to the spacing.
    const int dpi = WindowDpi(Handle());
    const int ruler = MarginGuidesShown() ? dpi::Scale(19, dpi) + dpi::Scale(4, dpi) - kSpacing : 0;
    return {kSpacing + ruler, kSpacing + ruler, kSpacing, kSpacing};
}

geometry::Size CPrintWorkspace::GetPageSize100() {
    const SIZE dpi = ScreenDpi();
    const int unit = settings_.IsInch() ? 1000 : 2540;
    const geometry::Size paper = Paper();
    return {geometry::MulDiv(paper.cx, dpi.cx, unit), geometry::MulDiv(paper.cy, dpi.cy, unit)};
}

geometry::Size CPrintWorkspace::GetFitSize() {
    const geometry::Size client = ClientSize();
    const geometry::Rect s = GetSpacing();
    const geometry::Size inner{client.cx - s.left - s.right, client.cy - s.top - s.bottom};
    return geometry::FitSize(inner, context_.GetXPages(), context_.GetYPages(), Paper());
}

geometry::Size CPrintWorkspace::GetPageSize() {
    if (context_.IsPageWidth() || context_.IsZoomFixed())
        return geometry::ZoomedSize(GetPageSize100(), context_.GetZoom());
    return GetFitSize();
}

int CPrintWorkspace::GetZoomPercent() {
    if (!HasPrinterSetup()) return 100;
    if (context_.IsZoomFixed()) return context_.GetZoom();
    const int width100 = std::max(GetPageSize100().cx, 1);
    if (context_.IsPageWidth()) {
        context_.SetZoom(geometry::MulDiv(ClientSize().cx - 2 * geometry::kSpacing, 100, width100), 1, 0);
        return context_.GetZoom();
    }
    return GetFitSize().cx * 100 / width100;
}

void CPrintWorkspace::FitPagesToZoom() {
    const geometry::Size grid = geometry::PagesAtSize(ClientSize(), GetPageSize());
    context_.SetPages(grid.cx, grid.cy, 1);
}

LRESULT CPrintWorkspace::LargestGrid() {
    if (!HasPrinterSetup() || pageSetupError_) return MAKELONG(3, 3);
    const geometry::Size client = ClientSize();
    const geometry::Rect s = GetSpacing();
    const geometry::Size grid =
        geometry::LargestGrid({client.cx - s.left - s.right, client.cy - s.top - s.bottom}, Paper());
    return MAKELONG(grid.cx, grid.cy);
}

void CPrintWorkspace::SetScrollRange(int bar, const geometry::ScrollRange& range, UINT maskOff) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS) & ~maskOff;
    si.nMax = range.max;
    si.nPage = static_cast<UINT>(std::max(range.page, 0));
    si.nPos = range.pos;
    SetScrollInfo(Handle(), bar, &si, TRUE);
}

void CPrintWorkspace::UpdateScrollBars(UINT hMaskOff, UINT vMaskOff) {
    if (!Window() || scrollDepth_ > 2) return;
    ++scrollDepth_;
    const geometry::Size page = GetPageSize(), client = ClientSize();
    const int x = context_.GetXPages(), y = context_.GetYPages();
    overflow_ = geometry::Overflow(x, y, page, client);
    const geometry::ScrollRange h = geometry::HorizontalRange(x, page.cx, client.cx);
    SetScrollRange(SB_HORZ, h, hMaskOff);
    const geometry::ScrollRange v =
        geometry::VerticalRange(pages_.GetCount(), context_.GetPagesPerScreen(), page.cy, overflow_.cy, firstPage_);
    SetScrollRange(SB_VERT, v, vMaskOff);
    if (!(GetWindowLongA(Handle(), GWL_STYLE) & WS_VSCROLL)) firstPage_ = 0;
    --scrollDepth_;
}

std::vector<geometry::PlacedPage> CPrintWorkspace::VisiblePages() {
    if (!Window() || !HasPrinterSetup()) return {};
    const int hpos = GetScrollPos(Handle(), SB_HORZ), vpos = GetScrollPos(Handle(), SB_VERT);
    return geometry::PlaceVisiblePages(ClientSize(), GetSpacing(), context_.GetXPages(), context_.GetYPages(),
                                       GetPageSize(), hpos, vpos, firstPage_, pages_.GetCount());
}

int CPrintWorkspace::HitTestPage(POINT point, RECT* rect) {
    for (const geometry::PlacedPage& p : VisiblePages()) {
        if (p.rect.Contains(point.x, point.y)) {
            if (rect) *rect = ToRect(p.rect);
            return p.index;
        }
    }
    return -1;
}

void CPrintWorkspace::EnsureVisible(int page, bool scroll, bool invalidate) {
    const int perScreen = context_.GetPagesPerScreen();
    const geometry::Size size = GetPageSize();
    if (scroll && Window()) {
        const int f = geometry::FirstPageShowing(page, firstPage_, context_.GetXPages(), perScreen, pages_.GetCount());
        if (f != firstPage_) {
            firstPage_ = f;
            SetScrollPos(Handle(), SB_VERT, f * size.cy, TRUE);
        }
    }
    if (Window() && overflow_.cx > 0) {
        const int c = std::max(context_.GetXPages(), 1);
        const int k = ((page - firstPage_) % c + c) % c;
        const int x = k * size.cx + (k - 1) * geometry::kGap + GetSpacing().left;
        const int hpos = GetScrollPos(Handle(), SB_HORZ);
        if (x < hpos || x + size.cx > hpos + ClientSize().cx) SetScrollPos(Handle(), SB_HORZ, x, TRUE);
    }
    Refresh(invalidate, false);
}

// --- painting -------------------------------------------------------------------------

void CPrintWorkspace::DrawPage(int index, HDC dc, const RECT& rect, const std::set<int>& printSet) {
    using geometry::kShadow;
    const RECT page{rect.left, rect.top, rect.right - kShadow, rect.bottom - kShadow};
    const RECT shadowRight{page.right, rect.top + kShadow, rect.right, rect.bottom};
    const RECT shadowBottom{rect.left + kShadow, page.bottom, page.right, rect.bottom};
    FillRect(dc, &shadowRight, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &shadowBottom, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT drawArea = page;
    {
        CSaveDC keep(dc);
        IntersectClipRect(dc, page.left, page.top, page.right, page.bottom);
        drawArea = pages_.GetPage(index).Play(dc, page);
    }
    if (findBar_) findBar_->DrawMarks(index, dc, page);
    if (selection_.page < 0) {
        if (!printSet.count(index)) Tint(dc, page);
    } else {
        CSaveDC keep(dc);
        if (index == selection_.page) {
            const RECT area = SelectedArea(page, selection_);
            Brush frame(CreateSolidBrush(RGB(150, 217, 249)));
            FrameRect(dc, &area, frame.Get());
            ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
        }
        Tint(dc, page);
    }
    // The guides outline the margins of the current page themselves (a second focus
    // rectangle would XOR the first away).
    const bool guides = index == currentPage_ && MarginGuidesShown();
    if (pages_.pageFrameStyle_ == 0 && !dragHandle_ && !guides) DrawFocusRect(dc, &drawArea);
    if (index == currentPage_) {
        RECT outline = page;
        FrameRect(dc, &outline, GetSysColorBrush(COLOR_HIGHLIGHT));
        InflateRect(&outline, -1, -1);
        FrameRect(dc, &outline, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    if (guides) DrawMarginGuides(dc, page);
}

const std::set<int>& CPrintWorkspace::PrintSet() {
    // A range like "1-" names every page of a long document: parse it again only when it changes.
    const int count = static_cast<int>(pages_.GetCount());
    if (printSetText_ != pages_.pageRange_ || printSetCount_ != count) {
        printSet_ = ParsePageRange(pages_.pageRange_, count);
        printSetText_ = pages_.pageRange_;
        printSetCount_ = count;
    }
    return printSet_;
}

void CPrintWorkspace::DrawView(HDC dc, const RECT& client) {
    CSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const std::string version = ModuleFileVersion();
    if (!version.empty()) {
        CHTMLCaption caption;
        caption.SetCaption(" " + version + " ", &pages_);
        const int w = htmlwin::MaxLineWidth(caption, dc), h = htmlwin::GetHeight(caption, dc);
        const RECT where{client.right - w, client.bottom - h, client.right, client.bottom};
        htmlwin::DrawCaption(caption, dc, where);
    }
    const std::set<int>& printSet = PrintSet();
    guidesValid_ = false;  // until the current page is drawn with them
    for (const geometry::PlacedPage& p : VisiblePages()) DrawPage(p.index, dc, ToRect(p.rect), printSet);
}

void CPrintWorkspace::OnPaint() {
    CPaintDC paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    CMemDC memory(paint, client);
    FillRect(memory, &client, GetSysColorBrush(COLOR_MENU));
    DrawView(memory, client);
}

// --- messages -------------------------------------------------------------------------

void CPrintWorkspace::SetPaneText(int pane, const std::string& text) {
    HWND frame = GetParent(Handle());
    if (frame) SendMessageA(frame, PreviewMessages::Get().setPaneText, pane, reinterpret_cast<LPARAM>(text.c_str()));
}

void CPrintWorkspace::SetZoomCaption(int percent) {
    const std::string number = std::to_string(percent) + "%";
    std::string caption = toolbar_.ItemCaption(100);
    for (size_t at = caption.find("%%"); at != std::string::npos; at = caption.find("%%", at + number.size()))
        caption.replace(at, 2, number);
    toolbar_.ShowCaption(100, caption);
}

void CPrintWorkspace::OnCreate() {
    pageSetupError_ = 0;
    settings_.LoadDefaults(nullptr);
    context_.Load();
    SetTimer(Handle(), kStatusTimer, kStatusPeriod, nullptr);
}

void CPrintWorkspace::OnDestroy() {
    KillTimer(Handle(), kStatusTimer);
    access_.Cut();
    pages_.ClearPages();
    context_.Save();
    firstPage_ = currentPage_ = 0;
}

void CPrintWorkspace::OnLoadPage(long index) {
    UpdateScrollBars(4, 4);
    if (index >= firstPage_ && index < firstPage_ + context_.GetPagesPerScreen()) {
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
    // The total is the count the provider being recorded announced, as long as there is one.
    const long announced = pages_.AnnouncedPageCount();
    char text[1024];
    snprintf(text, sizeof(text), "%s...%li/%li%s", toolbar_.ItemCaption(8).c_str(), index + 1,
             announced >= 0 ? announced : index + 1, toolbar_.ItemCaption(9).c_str());
    SetPaneText(0, text);
}

void CPrintWorkspace::OnStatusTimer() {
    const long announced = pages_.AnnouncedPageCount();
    char text[1024];
    snprintf(text, sizeof(text), "%s: %i/%li", toolbar_.ItemCaption(7).c_str(), currentPage_ + 1,
             announced >= 0 ? announced : pages_.GetCount());
    SetPaneText(1, text);
}

void CPrintWorkspace::OnMagnify(LPARAM entry) {
    if (entry < 0 || entry > 10) return;
    const int value = kZoomTable[entry];
    if (value >= 1)
        context_.SetZoom(value, 0, 1);
    else if (value == -1)
        context_.SetPageWidth();
    else
        context_.SetPages(value == -2 ? 1 : 2, 1, 0);
    Refresh(true, false);
    if (currentPage_ != 0) EnsureVisible(currentPage_, true, true);
    if (magnifyZoom_ >= 1) magnifyZoom_ = GetZoomPercent();
}

void CPrintWorkspace::OnCommand(int id) {
    switch (id) {
    case 101:
        context_.SetPages(1, 1, 0);
        Refresh(true, false);
        break;
    case 103:
        pageSetupError_ = 0;
        if (settings_.DoModal(&pageSetupError_)) Refresh(true, true);
        break;
    case 104:
        Print();
        break;
    case 105:
        PostMessageA(GetParent(Handle()), WM_CLOSE, 0, 0);
        break;
    case CPrintFindBar::kToolbarItem:
        if (findBar_) findBar_->Open();
        break;
    default:
        break;
    }
}

LRESULT CPrintWorkspace::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        Refresh(true, false);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_TIMER:
        if (wParam == kStatusTimer) OnStatusTimer();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_GETOBJECT:
        if (const LRESULT answer = AnswerAccessible(wParam, lParam)) return answer;
        break;
    default:
        break;
    }
    const PreviewMessages& pm = PreviewMessages::Get();
    if (msg == pm.loadPage) {
        OnLoadPage(static_cast<long>(wParam));
        return 0;
    }
    if (msg == pm.multiplyPages) {
        context_.SetPages(std::max<int>(LOWORD(lParam), 1), std::max<int>(HIWORD(lParam), 1), 0);
        Refresh(true, false);
        return 0;
    }
    if (msg == pm.premultiplyPages) return LargestGrid();
    if (msg == pm.magnifyPages) {
        OnMagnify(lParam);
        return 0;
    }
    if (msg == pm.toolbarClick) return defaults_.OnToolbarClick(static_cast<long>(wParam), static_cast<long>(lParam));
    if (msg == pm.anchorClick) {
        defaults_.OnAnchorClick(reinterpret_cast<const char*>(wParam), reinterpret_cast<const char*>(lParam));
        return 0;
    }
    return DefProc(msg, wParam, lParam);
}
