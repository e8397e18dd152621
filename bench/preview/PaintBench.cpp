// The preview of a short and of a long document (10 and 100,000 pages; another count with
// "bench_preview.exe N"): the time from Preview() to its return and to the first page
// painted (target: the long one within 1.2 x the short one plus a few tens of milliseconds),
// then, while the host's loop records the rest, the slowest answer of any preview window to a
// message from another thread (target: under 100 ms) and the whole recording time; last, the
// time of one paint at 2 x 2 pages for each (only the pages on screen may cost anything).
#include "BenchProvider.h"
#include "CPrint.h"
#include <commctrl.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPaints = 40;
constexpr int kRounds = 5;  // the best round counts: interference only ever adds time

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string PaneText(HWND frame, int pane) {
    char text[256] = "";
    SendMessageA(FindWindowExA(frame, nullptr, "Koravel.StatusBar", nullptr), SB_GETTEXTA, pane,
                 reinterpret_cast<LPARAM>(text));
    return text;
}

struct Figures {
    double returned = 0, firstPage = 0;  // seconds from Preview()
    double slowestAnswer = 0;            // seconds, while recording
    double recording = 0;                // seconds from Preview() to the last page
    double paint = 1e30;                 // seconds per paint
    long pages = 0;
};

// Asks every window of the preview for WM_NULL from its own thread until told to stop; the
// slowest answer is what a user would wait for.
double SlowestAnswer(const std::vector<HWND>& windows, const std::atomic<bool>& stop) {
    double slowest = 0;
    while (!stop) {
        for (HWND w : windows) {
            const auto t = Clock::now();
            DWORD_PTR result;
            SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            slowest = std::max(slowest, Since(t));
        }
        Sleep(10);
    }
    return slowest;
}

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
    f.returned = Since(start);
    long handle = 0;
    print->get_hWnd(&handle);
    HWND frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
    HWND workspace = FindWindowExA(frame, nullptr, "Koravel.Print.Workspace", nullptr);
    if (!workspace) return f;
    UpdateWindow(workspace);  // nothing left to paint when Preview() painted the first page itself
    f.firstPage = Since(start);

    std::vector<HWND> windows{frame};
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) windows.push_back(child);
    std::atomic<bool> stop{false}, asked{false};
    double slowest = 0;
    std::thread asker([&] {
        slowest = SlowestAnswer(windows, stop);
        asked = true;
    });
    while (PaneText(frame, 0) != "Ready" && Since(start) < 600) {
        Pump();
        Sleep(1);
    }
    f.recording = Since(start);
    stop = true;
    while (!asked) {  // it may wait for an answer from this thread
        Pump();
        Sleep(1);
    }
    asker.join();
    f.slowestAnswer = slowest;
    print->get_PagesCount(&f.pages);

    SendMessageA(workspace, RegisterWindowMessageA("PM_MULTIPLYPAGES"), 0, MAKELONG(2, 2));
    Pump();
    for (int round = 0; round < kRounds; ++round) {
        const auto t = Clock::now();
        for (int i = 0; i < kPaints; ++i) {
            InvalidateRect(workspace, nullptr, FALSE);
            UpdateWindow(workspace);
        }
        f.paint = std::min(f.paint, Since(t) / kPaints);
    }
    SendMessageA(frame, WM_CLOSE, 0, 0);
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    const long longOne = argc > 1 ? std::max(std::atol(argv[1]), 11L) : 100000;
    {
        Measure(10);  // the first preview of a process pays for what every later one reuses
        const Figures small = Measure(10), large = Measure(longOne);
        if (small.pages != 10 || large.pages != longOne) {
            std::printf("no printer to record against (pages recorded: %ld, %ld)\n", small.pages, large.pages);
            return 1;
        }
        for (const Figures* f : {&small, &large})
            std::printf("%7ld pages: Preview() returned %.1f ms, first page painted %.1f ms; recorded in %.2f s, "
                        "slowest answer of a preview window meanwhile %.1f ms (target < 100)\n",
                        f->pages, f->returned * 1e3, f->firstPage * 1e3, f->recording, f->slowestAnswer * 1e3);
        std::printf("first page painted, long over short: %.2f (target <= 1.2, or within a few tens of ms: %+.1f ms)\n",
                    large.firstPage / small.firstPage, (large.firstPage - small.firstPage) * 1e3);
        std::printf("paint, 2 x 2 pages on screen:  10 pages %.3f ms   %ld pages %.3f ms   ratio %.2f (target <= 1.2)\n",
                    small.paint * 1e3, large.pages, large.paint * 1e3, large.paint / small.paint);
    }
    CoUninitialize();
    return 0;
}
