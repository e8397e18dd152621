// Records 500 pages of about 200 primitives each through the page store (the
// workspace's RecordPages with the default printer), and the same drawing
// straight into metafiles with plain GDI, in the same run; prints both and
// their ratio.
#include "BenchProvider.h"
#include "CHostEMFPages.h"
#include "CPrintWorkspace.h"
#include "toolbar/CPrintToolBar.h"
#include "Text.h"
#include "Gdi.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr long kPages = 500;
constexpr int kRounds = 15;  // the best round counts: interference only ever adds time

// Processor time of this process, in seconds (in clock ticks under Wine: a rough second opinion).
double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

// Wall and processor time of one run of `work`.
struct Cost {
    double wall = 1e30, cpu = 1e30;
    template <class Work>
    void Measure(Work work) {
        const auto start = Clock::now();
        const double cpuStart = CpuSeconds();
        work();
        cpu = std::min(cpu, CpuSeconds() - cpuStart);
        wall = std::min(wall, std::chrono::duration<double>(Clock::now() - start).count());
    }
};

// The same pages with plain GDI: metafile, mapping to screen pixels, clip, drawing, close.
std::vector<HENHMETAFILE> RecordPlain(HDC printer, const PAGESETUPDLGA& setup, HFONT font) {
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    const RECT page{0, 0, MulDiv(setup.ptPaperSize.x, dpiX, 1000), MulDiv(setup.ptPaperSize.y, dpiY, 1000)};
    const RECT client{MulDiv(setup.rtMargin.left, dpiX, 1000), MulDiv(setup.rtMargin.top, dpiY, 1000),
                      page.right - MulDiv(setup.rtMargin.right, dpiX, 1000),
                      page.bottom - MulDiv(setup.rtMargin.bottom, dpiY, 1000)};
    CWindowDC screen;
    const int screenX = GetDeviceCaps(screen, LOGPIXELSX), screenY = GetDeviceCaps(screen, LOGPIXELSY);
    const RECT frame{0, 0, MulDiv(GetDeviceCaps(printer, HORZSIZE) * page.right, 100, GetDeviceCaps(printer, HORZRES)),
                     MulDiv(GetDeviceCaps(printer, VERTSIZE) * page.bottom, 100, GetDeviceCaps(printer, VERTRES))};
    std::vector<HENHMETAFILE> pages;
    pages.reserve(kPages);
    for (long i = 0; i < kPages; ++i) {
        HDC dc = CreateEnhMetaFileA(printer, nullptr, &frame, nullptr);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetMapMode(dc, MM_ANISOTROPIC);
        SetViewportExtEx(dc, page.right, page.bottom, nullptr);
        SetWindowExtEx(dc, MulDiv(page.right, screenX, dpiX), MulDiv(page.bottom, screenY, dpiY), nullptr);
        Region clip(CreateRectRgnIndirect(&client));
        SelectClipRgn(dc, clip.Get());
        DrawPrimitives(dc, i);
        SelectClipRgn(dc, nullptr);
        SelectObject(dc, oldFont);
        pages.push_back(CloseEnhMetaFile(dc));
    }
    return pages;
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    {
        CBenchDefaults defaults;
        CHostEMFPages store;
        CPrintToolBar toolbar;
        CPrintWorkspace workspace(defaults, store, toolbar);
        ComPtr<IPrintExt> provider;
        CreateComObject<CBenchProvider<kPages>>(nullptr, IID_IPrintExt, provider.PutVoid());
        store.PutPrintExt(provider.Get());
        // The plain-GDI side draws no decorations: measure the recording itself, without them.
        store.showPageNumbers_ = VARIANT_FALSE;
        store.documentCaption_.Caption = Bstr();

        workspace.RecordPages();  // loads the printer and warms GDI up
        std::unique_ptr<CDCPrinter> printer = workspace.Settings().CreatePrinterDC();
        if (!printer || store.GetCount() != kPages) {
            std::printf("no printer to record against (pages recorded: %ld)\n", store.GetCount());
            return 1;
        }
        // Pages are freed outside the measured stretch on both sides.
        Cost component, plain, makeDC;
        for (int round = 0; round < kRounds; ++round) {
            store.ClearPages();
            makeDC.Measure([&] { workspace.Settings().ReleasePrinterDC(workspace.Settings().CreatePrinterDC()); });
            component.Measure([&] { store.LoadPages(printer->GetSafeHdc(), &workspace.Settings().Record()); });
            store.ClearPages();
            std::vector<HENHMETAFILE> pages;
            plain.Measure([&] {
                pages = RecordPlain(printer->GetSafeHdc(), workspace.Settings().Record(), store.FontHandle());
            });
            for (HENHMETAFILE h : pages) DeleteEnhMetaFile(h);
        }
        std::printf("pages: %ld, primitives per page: about 200, best of %d rounds\n", kPages, kRounds);
        std::printf("                wall ms   cpu ms   cpu ms/page\n");
        std::printf("page store:   %8.1f %8.1f %10.3f\n", component.wall * 1e3, component.cpu * 1e3,
                    component.cpu * 1e3 / kPages);
        std::printf("plain GDI:    %8.1f %8.1f %10.3f\n", plain.wall * 1e3, plain.cpu * 1e3, plain.cpu * 1e3 / kPages);
        std::printf("printer context (once per RecordPages): %.1f ms wall\n", makeDC.wall * 1e3);
        std::printf("ratio (best wall): %.3f (target at most 1.15); ratio (cpu): %.3f\n",
                    component.wall / plain.wall, component.cpu / plain.cpu);
    }
    CoUninitialize();
    return 0;
}
