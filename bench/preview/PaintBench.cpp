// Paints the open preview of a 10-page and of a 10,000-page document at the same zoom and
// grid (2 x 2 pages) and prints the time of one paint for each and their ratio: only the
// pages on screen may cost anything. Also prints the time from Preview() to the first page
// on screen.
#include "BenchProvider.h"
#include "CPrint.h"
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPaints = 40;
constexpr int kRounds = 5;  // the best round counts: interference only ever adds time

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Figures {
    double paint = 1e30;   // seconds per paint
    double firstPage = 0;  // seconds from Preview() to the first page painted
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
    const auto start = Clock::now();
    print->Preview();
    long handle = 0;
    print->get_hWnd(&handle);
    HWND frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
    HWND workspace = FindWindowExA(frame, nullptr, "Koravel.Print.Workspace", nullptr);
    if (!workspace) return f;
    UpdateWindow(workspace);
    f.firstPage = std::chrono::duration<double>(Clock::now() - start).count();
    print->get_PagesCount(&f.pages);
    SendMessageA(workspace, RegisterWindowMessageA("PM_MULTIPLYPAGES"), 0, MAKELONG(2, 2));
    Pump();
    for (int round = 0; round < kRounds; ++round) {
        const auto t = Clock::now();
        for (int i = 0; i < kPaints; ++i) {
            InvalidateRect(workspace, nullptr, FALSE);
            UpdateWindow(workspace);
        }
        f.paint = std::min(f.paint, std::chrono::duration<double>(Clock::now() - t).count() / kPaints);
    }
    SendMessageA(frame, WM_CLOSE, 0, 0);
    return f;
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    {
        const Figures small = Measure(10), large = Measure(10000);
        if (small.pages != 10 || large.pages != 10000) {
            std::printf("no printer to record against (pages recorded: %ld, %ld)\n", small.pages, large.pages);
            return 1;
        }
        std::printf("paint, 2 x 2 pages on screen:  10 pages %.3f ms   10,000 pages %.3f ms   ratio %.2f (target <= 1.2)\n",
                    small.paint * 1e3, large.paint * 1e3, large.paint / small.paint);
        std::printf("Preview() to first page painted:  10 pages %.1f ms   10,000 pages %.1f ms\n", small.firstPage * 1e3,
                    large.firstPage * 1e3);
    }
    CoUninitialize();
    return 0;
}
