// Long documents through the Print object, as a host drives it: Preview() and PagesCount record
// N pages (report-like pages of about 200 primitives), then the open preview is painted at 2 x 2.
// For each N (1,000 to 100,000; 300,000 too with "bench_pages.exe 300000 only", meant for a
// 32-bit build: what a 32-bit host can hold): recording time per page, the peak of the process's GDI
// objects while recording over the count before, private memory per recorded page, and the
// paint time. For 1,000
// pages also CopyTo of every page and DoPrint of the range "1-100" on the default printer.
#include "BenchProvider.h"
#include "CPrint.h"
#include "GdiCount.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Committed private memory of the process, region by region (Wine answers 0 for PrivateUsage).
double PrivateBytes() {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
         at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) bytes += static_cast<double>(info.RegionSize);
        if (static_cast<const char*>(info.BaseAddress) + info.RegionSize < at) break;  // wrapped around
    }
    return bytes;
}

// The report provider, looking at the GDI objects every 1,000 pages.
class CSampledProvider : public CBenchProvider<0> {
public:
    explicit CSampledProvider(IUnknown* outer) : CBenchProvider<0>(outer) {}
    STDMETHODIMP DrawPage(VARIANT options, long hdc, IDispatch* page, VARIANT_BOOL* goOn) override {
        if (++drawn % 1000 == 1) peak = std::max(peak, GdiObjectCount());
        return CBenchProvider<0>::DrawPage(options, hdc, page, goOn);
    }
    long drawn = 0, peak = 0;
};

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Run(long pages) {
    ComPtr<ITavrin> print;
    CreateComObject<CPrint>(nullptr, IID_ITavrin, print.PutVoid());
    ComPtr<IPrintExt> provider;
    CreateComObject<CSampledProvider>(nullptr, IID_IPrintExt, provider.PutVoid());
    auto* sampled = static_cast<CSampledProvider*>(provider.Get());
    sampled->pages = pages;
    print->put_PrintExt(provider.Get());
    print->put_PageNumberFormat(Bstr(L"Page <%page%> of <%count%>").Get());

    const long gdiBefore = GdiObjectCount();
    sampled->peak = gdiBefore;
    const double memoryBefore = PrivateBytes();
    const auto start = Clock::now();
    print->Preview();
    long recorded = 0;
    print->get_PagesCount(&recorded);  // the pages Preview() left to the message loop, now
    const double recording = Seconds(start);
    const double memoryPerPage = (PrivateBytes() - memoryBefore) / std::max(recorded, 1L);
    long handle = 0;
    print->get_hWnd(&handle);
    HWND frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
    HWND workspace = FindWindowExA(frame, nullptr, "Koravel.Print.Workspace", nullptr);
    double paint = 0;
    if (workspace) {
        SendMessageA(workspace, RegisterWindowMessageA("PM_MULTIPLYPAGES"), 0, MAKELONG(2, 2));
        Pump();
        const auto t = Clock::now();
        for (int i = 0; i < 20; ++i) {
            InvalidateRect(workspace, nullptr, FALSE);
            UpdateWindow(workspace);
        }
        paint = Seconds(t) / 20;
    }
    std::printf("%7ld pages: recording %.3f ms/page, peak GDI objects +%ld, memory %.1f KB/page, paint %.2f ms\n",
                recorded, recording * 1e3 / std::max(recorded, 1L), sampled->peak - gdiBefore, memoryPerPage / 1024,
                paint * 1e3);
    if (frame) SendMessageA(frame, WM_CLOSE, 0, 0);

    if (pages == 1000) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string folder = std::string(temp) + "tavrin-bench-pages";
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::wstring pattern(folder.begin(), folder.end());
        long written = 0;
        auto t = Clock::now();
        print->CopyTo(Bstr((pattern + L"\\page%i.emf").c_str()).Get(), &written);
        std::printf("         CopyTo: %ld files, %.3f ms/page (recording included)\n", written,
                    Seconds(t) * 1e3 / std::max(written, 1L));
        print->put_PageRange(Bstr(L"1-100").Get());
        print->put_Caption(Bstr(L"tavrin_bench_pages").Get());
        VARIANT noUI;
        VariantInit(&noUI);
        noUI.vt = VT_BOOL;
        noUI.boolVal = VARIANT_FALSE;
        t = Clock::now();
        print->DoPrint(noUI);
        std::printf("         DoPrint of 100 pages of 1,000: %.0f ms (recording included)\n", Seconds(t) * 1e3);
    }
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    // "bench_pages.exe N" runs the lengths up to N; "bench_pages.exe N only" just N.
    const long largest = argc > 1 ? std::atol(argv[1]) : 100000;
    const bool only = argc > 2 && std::string(argv[2]) == "only";
    for (long pages : {1000L, 10000L, 100000L, 300000L})
        if (pages == largest || (!only && pages < largest)) Run(pages);
    CoUninitialize();
    return 0;
}
