// Prints 200 recorded pages through the control's print job and plays the same
// metafiles onto the same printer with plain GDI (StartDoc, StartPage,
// PlayEnhMetaFile, EndPage, EndDoc), alternating, best of several rounds; then
// times CopyTo per page, with and without its recording.
#include "BenchProvider.h"
#include "CHostEMFPages.h"
#include "CPrint.h"
#include "CPrintWorkspace.h"
#include "toolbar/CPrintToolBar.h"
#include "Gdi.h"
#include "Text.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr long kPages = 200;
constexpr int kRounds = 3;  // the best round counts: interference only ever adds time

template <class Work>
double Seconds(Work work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The same pages on the same printer with nothing but GDI.
void PrintPlain(CPageSetupDialog& settings, CHostEMFPages& pages, const char* name) {
    std::unique_ptr<CDCPrinter> printer = settings.CreatePrinterDC();
    if (!printer) return;
    HDC dc = printer->GetSafeHdc();
    POINT corners[2] = {{0, 0}, {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)}};
    DPtoLP(dc, corners, 2);
    const RECT target{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name;
    StartDocA(dc, &info);
    for (long i = 0; i < pages.GetCount(); ++i) {
        StartPage(dc);
        PlayEnhMetaFile(dc, pages.GetPage(i).GetHandle(), &target);
        EndPage(dc);
    }
    EndDoc(dc);
    settings.ReleasePrinterDC(std::move(printer));
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    {
        ComPtr<IPrintExt> report;
        CreateComObject<CBenchProvider<kPages>>(nullptr, IID_IPrintExt, report.PutVoid());

        CBenchDefaults defaults;
        CHostEMFPages pages;
        CPrintToolBar toolbar;
        CPrintWorkspace workspace(defaults, pages, toolbar);
        pages.PutPrintExt(report.Get());
        pages.documentCaption_.Caption = Bstr(L"tavrin_bench_control");
        workspace.RecordPages();
        if (pages.GetCount() != kPages) {
            std::printf("no printer to record against (pages recorded: %ld)\n", pages.GetCount());
            return 1;
        }
        double control = 1e30, plain = 1e30;
        for (int round = 0; round < kRounds; ++round) {
            control = std::min(control, Seconds([&] { workspace.Print(); }));
            plain = std::min(plain, Seconds([&] { PrintPlain(workspace.Settings(), pages, "tavrin_bench_plain"); }));
        }
        std::printf("printing %ld recorded pages to \"PDF\", best of %d rounds\n", kPages, kRounds);
        std::printf("control's print job: %8.1f ms (%.2f ms/page)\n", control * 1e3, control * 1e3 / kPages);
        std::printf("plain GDI playback:  %8.1f ms (%.2f ms/page)\n", plain * 1e3, plain * 1e3 / kPages);
        std::printf("ratio: %.3f (target at most 1.1)\n", control / plain);

        // CopyTo through the Print object: it records first (no preview), then writes each page.
        ComPtr<ITavrin> print;
        CreateComObject<CPrint>(nullptr, IID_ITavrin, print.PutVoid());
        print->put_PrintExt(report.Get());
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string folder = std::string(temp) + "tavrin-bench-copyto";
        CreateDirectoryA(folder.c_str(), nullptr);
        const Bstr pattern = Bstr::FromAnsi(folder + "\\page%i.emf");
        double copyTo = 1e30, record = 1e30;
        long written = 0;
        for (int round = 0; round < kRounds; ++round) {
            copyTo = std::min(copyTo, Seconds([&] { print->CopyTo(pattern.Get(), &written); }));
            record = std::min(record, Seconds([&] { workspace.Refresh(true, true); }));
        }
        std::printf("CopyTo of %ld pages: %8.1f ms (%.3f ms/page; recording alone %.3f ms/page, "
                    "writing %.3f ms/page)\n",
                    written, copyTo * 1e3, copyTo * 1e3 / kPages, record * 1e3 / kPages,
                    (copyTo - record) * 1e3 / kPages);
        for (long i = 1; i <= kPages; ++i) DeleteFileA((folder + "\\page" + std::to_string(i) + ".emf").c_str());
        RemoveDirectoryA(folder.c_str());
    }
    CoUninitialize();
    return 0;
}
