#pragma once
// What the Windows benchmarks draw and record: a report-like page provider and
// a Print object stand-in that ignores the notifications.
#include <windows.h>
#include "ComObject.h"
#include "ComPtr.h"
#include "Gdi.h"
#include "IDefaultSettings.h"
#include "Tavrin_h.h"

// About 200 primitives: a grid of lines, boxes, ellipses and text, as a report page has.
inline void DrawPrimitives(HDC dc, long page) {
    Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 128)));
    Brush brush(CreateSolidBrush(RGB(220, 220, 255 - page % 64)));
    CSelectObject selectPen(dc, pen.Get());
    CSelectObject selectBrush(dc, brush.Get());
    char text[32];
    for (int row = 0; row < 40; ++row) {
        const int y = 100 + row * 22;
        MoveToEx(dc, 90, y, nullptr);
        LineTo(dc, 700, y);
        Rectangle(dc, 100, y + 2, 160, y + 20);
        Ellipse(dc, 170, y + 2, 188, y + 20);
        const int n = wsprintfA(text, "Row %d of page %ld", row + 1, page + 1);
        TextOutA(dc, 200, y + 3, text, n);
    }
}

// A provider of `Pages` pages drawn by DrawPrimitives (0: as many as `pages` says).
template <long Pages>
class CBenchProvider : public ComObject<IPrintExt> {
public:
    explicit CBenchProvider(IUnknown* outer) : ComObject(outer) {}
    STDMETHODIMP PageCount(VARIANT, long* count) override { *count = Pages ? Pages : pages; return S_OK; }
    STDMETHODIMP DrawPage(VARIANT, long hdc, IDispatch* page, VARIANT_BOOL*) override {
        long index = 0;
        ComPtr<IPage> p;
        if (page && SUCCEEDED(page->QueryInterface(IID_IPage, p.PutVoid()))) p->get_Index(&index);
        DrawPrimitives(reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc)), index);
        return S_OK;
    }

    long pages = 0;

protected:
    void* Self() override { return this; }
    const QIEntry* QITable() const override {
        static const QIEntry table[] = {QI_ENTRY(CBenchProvider, IPrintExt), {nullptr, nullptr}};
        return table;
    }
};

class CBenchDefaults : public IDefaultSettings {
public:
    long OnToolbarClick(long, long) override { return 0; }
    void OnRefreshEnd() override {}
    void OnRefreshBegin() override {}
    void OnAnchorClick(const char*, const char*) override {}
};
