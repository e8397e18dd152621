// The margin guides: rulers above and left of the current page with a handle for each margin;
// dragging a handle moves its guide, and releasing it stores the margin and records the pages
// anew. The arithmetic lives in MarginHandles; here it meets the window, the mouse and GDI.
#include "CHostEMFPages.h"
#include "CPrintWorkspace.h"
#include "MarginText.h"
#include "Module.h"
#include "WindowDpi.h"
#include "scaling/DpiScale.h"
#include "toolbar/CPrintToolBar.h"
#include <algorithm>

namespace {

constexpr COLORREF kHandleTransparent = RGB(237, 28, 34);
constexpr int kAdjustMarginItem = 11;

PlainRect Plain(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const PlainRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The settings field of each handle's margin: left, right, top, bottom.
constexpr long kMarginField[5] = {0, 6, 8, 7, 9};

LONG MarginOf(const RECT& margins, int handle) {
    switch (handle) {
    case kLeftHandle: return margins.left;
    case kRightHandle: return margins.right;
    case kTopHandle: return margins.top;
    default: return margins.bottom;
    }
}

// A bitmap resource of type "BMP24": a whole .bmp file, header included.
HBITMAP LoadBmp24(int id) {
    HINSTANCE module = CModule::Instance();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "BMP24");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!data || size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
    const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(data);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(data + sizeof(BITMAPFILEHEADER));
    if (file->bfOffBits >= size) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap =
        CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, data + file->bfOffBits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

void DrawTransparent(HDC dc, HBITMAP bitmap, const RECT& at) {
    BITMAP bm{};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm)) return;
    COwnedDC memory(CreateCompatibleDC(dc));
    CSelectObject select(memory, bitmap);
    GdiTransparentBlt(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, memory, 0, 0, bm.bmWidth,
                      bm.bmHeight, kHandleTransparent);
}

// A 3-pixel line from `from` to `to` with an arrow head at each end.
void DrawDistance(HDC dc, POINT from, POINT to) {
    Pen pen(CreatePen(PS_SOLID, 3, GetSysColor(COLOR_BTNTEXT)));
    CSelectObject select(dc, pen.Get());
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    const bool across = from.y == to.y;
    for (const auto& [tip, toward] : {std::pair{from, to}, std::pair{to, from}}) {
        const int dir = across ? (toward.x > tip.x ? 1 : -1) : (toward.y > tip.y ? 1 : -1);
        for (int side : {-1, 1}) {
            MoveToEx(dc, tip.x, tip.y, nullptr);
            if (across)
                LineTo(dc, tip.x + 5 * dir, tip.y + 4 * side);
            else
                LineTo(dc, tip.x + 4 * side, tip.y + 5 * dir);
        }
    }
}

// The ruler band beside one page edge: white between the guides, shaded beyond them.
void DrawRuler(HDC dc, const RECT& band, bool across, LONG from, LONG to) {
    FillRect(dc, &band, GetSysColorBrush(COLOR_BTNSHADOW));
    RECT inner = band;
    if (across) {
        inner.left = std::max(from, band.left);
        inner.right = std::min(to, band.right);
    } else {
        inner.top = std::max(from, band.top);
        inner.bottom = std::min(to, band.bottom);
    }
    InflateRect(&inner, across ? 0 : -1, across ? -1 : 0);
    FillRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

}  // namespace

bool CPrintWorkspace::MarginGuidesShown() const {
    if (!showMargins_ || !IsWindow() || context_.GetXPages() != 1 || context_.GetYPages() != 1) return false;
    if (context_.HasBackup() || (GetWindowLongA(Handle(), GWL_STYLE) & WS_HSCROLL)) return false;
    const POINT paper = settings_.Record().ptPaperSize;
    return settings_.Record().hDevMode && paper.x > 0 && paper.y > 0;
}

RECT CPrintWorkspace::GetMarginHandleRect(int handle) const {
    const int dpi = WindowDpi(Handle());
    return guidesValid_ ? ToRect(MarginHandleRect(guides_, handle, dpi::Scale(19, dpi), dpi::Scale(4, dpi))) : RECT{};
}

int CPrintWorkspace::HitTestMarginHandle(POINT point) const {
    if (!guidesValid_ || !MarginGuidesShown()) return kNoHandle;
    const int dpi = WindowDpi(Handle());
    return ::HitTestMarginHandle(guides_, {point.x, point.y}, dpi::Scale(19, dpi), dpi::Scale(4, dpi));
}

long CPrintWorkspace::MarginValueAt(int handle) {
    const LONG old = MarginOf(settings_.Record().rtMargin, handle);
    if (!guidesValid_) return old;
    const MarginGuides& reference = dragHandle_ ? dragReference_ : guides_;
    const POINT paper = settings_.Record().ptPaperSize;
    return ::MarginValueAt(guides_, reference, handle, paper.x, paper.y, old);
}

void CPrintWorkspace::StoreMargin(int handle, long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    settings_.PutSettings(kMarginField[handle], v);
}

void CPrintWorkspace::CopyOppositeMargin(int handle) {
    const RECT& margins = settings_.Record().rtMargin;
    const LONG opposite = MarginOf(margins, OppositeHandle(handle));
    if (opposite == MarginOf(margins, handle)) return;
    StoreMargin(handle, opposite);
    Refresh(true, true);
}

void CPrintWorkspace::DragMargin(int handle, POINT) {
    if (!guidesValid_ || handle < kLeftHandle || handle > kBottomHandle) return;
    CUpdateCursor cursor(Handle());
    toolbar_.Tooltip().Hide();
    dragHandle_ = handle;
    dragReference_ = guides_;
    const bool released = TrackMouse(Handle(), VK_LBUTTON, [&](POINT p) {
        guides_.SetPosition(handle, DraggedGuidePosition(guides_, handle, {p.x, p.y}));
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    });
    const long value = MarginValueAt(handle);
    dragHandle_ = 0;
    if (released && value != MarginOf(settings_.Record().rtMargin, handle)) {
        StoreMargin(handle, value);
        Refresh(true, true);
    } else {
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void CPrintWorkspace::DrawMarginGuides(HDC dc, const RECT& page) {
    const POINT paper = settings_.Record().ptPaperSize;
    const RECT& margins = settings_.Record().rtMargin;
    if (!dragHandle_) guides_ = GuidesForMargins(Plain(page), paper.x, paper.y, Plain(margins));
    guidesValid_ = true;
    const MarginGuides& g = guides_;
    const int dpi = WindowDpi(Handle()), ruler = dpi::Scale(19, dpi), gap = dpi::Scale(4, dpi);
    DrawRuler(dc, RECT{page.left, page.top - gap - ruler, page.right, page.top - gap}, true, g.left, g.right);
    DrawRuler(dc, RECT{page.left - gap - ruler, page.top, page.left - gap, page.bottom}, false, g.top, g.bottom);
    for (int i = 0; i < 2; ++i)
        if (!handleBitmaps_[i]) handleBitmaps_[i].Reset(LoadBmp24(205 + i));
    for (int handle = kLeftHandle; handle <= kBottomHandle; ++handle)
        DrawTransparent(dc, handleBitmaps_[handle <= kRightHandle ? 0 : 1].Get(), GetMarginHandleRect(handle));

    const RECT area{g.left, g.top, g.right, g.bottom};
    if (pages_.pageFrameStyle_ == 0) {
        DrawFocusRect(dc, &area);
    } else {
        Pen pen(CreatePen(static_cast<int>(pages_.pageFrameStyle_ - 1), 1, RGB(0xF0, 0xF0, 0xF0)));
        CSelectObject selectPen(dc, pen.Get());
        CSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, area.left, area.top, area.right, area.bottom);
    }
    if (!dragHandle_) return;

    // The dragged margin: its distance from the page edge, and its value beside it.
    const int position = g.Position(dragHandle_);
    const int midX = (page.left + page.right) / 2, midY = (page.top + page.bottom) / 2;
    const bool across = dragHandle_ <= kRightHandle;
    POINT from, to;
    if (across) {
        from = {dragHandle_ == kLeftHandle ? page.left : page.right, midY};
        to = {position, midY};
    } else {
        from = {midX, dragHandle_ == kTopHandle ? page.top : page.bottom};
        to = {midX, position};
    }
    DrawDistance(dc, from, to);
    const std::string text = MarginText(MarginValueAt(dragHandle_), settings_.IsInch());
    CSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, across ? OPAQUE : TRANSPARENT);
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const POINT centre{(from.x + to.x) / 2, (from.y + to.y) / 2};
    RECT box{centre.x - extent.cx / 2, centre.y - extent.cy / 2, centre.x + extent.cx / 2 + 1, centre.y + extent.cy / 2 + 1};
    if (across) OffsetRect(&box, 0, -extent.cy);  // above the line, not over it
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
    SetBkMode(dc, TRANSPARENT);
}

void CPrintWorkspace::ShowMarginTip(POINT point) {
    CWindow_Comment& tip = toolbar_.Tooltip();
    if (!tip.Window() || !tip.Enabled()) return;
    const int handle = HitTestMarginHandle(point);
    if (!handle) {
        tip.Hide();
        return;
    }
    RECT r = GetMarginHandleRect(handle);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    // The handle is the hot area: the tooltip may show only while the pointer is on it.
    auto onHandle = [this, handle] {
        POINT p{};
        return Handle() && GetCursorPos(&p) && ScreenToClient(Handle(), &p) && HitTestMarginHandle(p) == handle;
    };
    tip.Place(Handle(), onHandle, POINT{r.right + 4, (r.top + r.bottom) / 2});
    tip.SetTexts(MarginToolTip(toolbar_.ItemToolTip(kAdjustMarginItem), MarginValueAt(handle), settings_.IsInch()));
    tip.RequestShow(true);
}
