// Paints the pages pane of a 10-page and of a 10,000-page preview at the top and at the end of
// the document and prints the time of one paint for each and the ratios: only the rows in view
// may cost anything. Also prints the first paint after the jump to the end (thumbnails drawn
// from the recorded pages rather than from the cache, with the workspace following).
#include "BenchProvider.h"
#include "CPrint.h"
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPaints = 40;
constexpr int kRounds = 25;  // the best round counts: interference only ever adds time

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double PaintTime(HWND pane) {
    double best = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        const auto t = Clock::now();
        for (int i = 0; i < kPaints; ++i) {
            InvalidateRect(pane, nullptr, FALSE);
            UpdateWindow(pane);
        }
        best = std::min(best, Seconds(t) / kPaints);
    }
    return best;
}

struct Figures {
    double top = 0, end = 0, firstAtEnd = 0;
    long pages = 0;
};

Figures Measure(long pages) {
    Figures f;
    ComPtr<ITavrin> print;
    CreateComObject<CPrint>(nullptr, IID_ITavrin, print.PutVoid());
    ComPtr<IPrintExt> provider;
    CreateComObject<CBenchProvider<0>>(nullptr, IID_IPrintExt, provider.PutVoid());
    static_cast<CBenchProvider<0>*>(provider.Get())->pages = pages;
    print->put_PrintExt(provider.Get());
    WriteProfileStringA("Koravel.Print", "PrintPagesPane_Shown", "1");
    print->Preview();
    long handle = 0;
    print->get_hWnd(&handle);
    HWND frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
    HWND pane = FindWindowExA(frame, nullptr, "Koravel.Print.PagesPane", nullptr);
    if (!pane || !IsWindowVisible(pane)) return f;
    print->get_PagesCount(&f.pages);
    Pump();
    f.top = PaintTime(pane);
    const auto t = Clock::now();
    SendMessageA(pane, WM_KEYDOWN, VK_END, 0);  // the pane follows the current page
    UpdateWindow(pane);
    f.firstAtEnd = Seconds(t);
    Pump();
    f.end = PaintTime(pane);
    SendMessageA(frame, WM_CLOSE, 0, 0);
    return f;
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    {
        const Figures small = Measure(10), large = Measure(10000);
        WriteProfileStringA("Koravel.Print", "PrintPagesPane_Shown", nullptr);
        if (small.pages != 10 || large.pages != 10000) {
            std::printf("no pane or no printer to record against (pages recorded: %ld, %ld)\n", small.pages, large.pages);
            return 1;
        }
        std::printf("pane paint at the top:   10 pages %.3f ms   10,000 pages %.3f ms   ratio %.2f (target <= 1.2)\n",
                    small.top * 1e3, large.top * 1e3, large.top / small.top);
        std::printf("pane paint at the end:   10 pages %.3f ms   10,000 pages %.3f ms   ratio %.2f (target <= 1.2)\n",
                    small.end * 1e3, large.end * 1e3, large.end / small.end);
        std::printf("End, first paint:        10 pages %.3f ms   10,000 pages %.3f ms\n", small.firstAtEnd * 1e3,
                    large.firstAtEnd * 1e3);
    }
    CoUninitialize();
    return 0;
}
