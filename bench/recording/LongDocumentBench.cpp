// Long documents: records 1,000, 10,000 and 100,000 report pages (about 200 primitives each,
// "Page <%page%> of <%count%>") through the page store and prints, per size, the recording time
// per page, the peak of the process's GDI objects while recording, the memory each page costs
// (private bytes after recording minus those before, per page), and the time to print a range
// of 100 pages to the default printer; then CopyTo of a 1,000-page document.
// Usage: bench_long_document [largest size]
#include "BenchProvider.h"
#include "CHostEMFPages.h"
#include "CPrint.h"
#include "CPrintWorkspace.h"
#include "GdiCount.h"
#include "Text.h"
#include "toolbar/CPrintToolBar.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

template <class Work>
double Seconds(Work work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

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

// The page store, sampling the GDI objects every few pages while it records.
class CSampledPages : public CHostEMFPages {
public:
    void OnPageRecorded(long globalIndex) override {
        if (globalIndex % 250 == 0) peak = std::max(peak, GdiObjectCount());
    }
    long peak = 0;
};

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    const long largest = argc > 1 ? std::atol(argv[1]) : 100000;
    {
        CBenchDefaults defaults;
        CSampledPages store;
        CPrintToolBar toolbar;
        CPrintWorkspace workspace(defaults, store, toolbar);
        ComPtr<IPrintExt> provider;
        CreateComObject<CBenchProvider<0>>(nullptr, IID_IPrintExt, provider.PutVoid());
        auto* bench = static_cast<CBenchProvider<0>*>(provider.Get());
        store.PutPrintExt(provider.Get());
        store.pageNumberFormat_ = "Page <%page%> of <%count%>";
        store.documentCaption_.Caption = Bstr(L"tavrin_bench_long");
        bench->pages = 10;
        workspace.RecordPages();  // loads the printer and warms GDI up
        std::unique_ptr<CDCPrinter> printer = workspace.Settings().CreatePrinterDC();
        if (!printer || store.GetCount() != 10) {
            std::printf("no printer to record against\n");
            return 1;
        }
        std::printf("   pages  record ms/page  GDI before  GDI peak  GDI after  bytes/page  print 100 pages ms\n");
        for (long pages = 1000; pages <= largest; pages *= 10) {
            store.ClearPages();
            bench->pages = pages;
            const double memory = PrivateBytes();
            const long before = GdiObjectCount();
            store.peak = before;
            const double record = Seconds([&] { store.LoadPages(printer->GetSafeHdc(), &workspace.Settings().Record()); });
            const double perPage = (PrivateBytes() - memory) / static_cast<double>(store.GetCount());
            const long after = GdiObjectCount();
            store.pageRange_ = std::to_string(pages / 2) + "-" + std::to_string(pages / 2 + 99);
            const double print = Seconds([&] { workspace.Print(); });
            store.pageRange_.clear();
            std::printf("%8ld %15.3f %11ld %9ld %10ld %11.0f %19.1f\n", store.GetCount(), record * 1e3 / pages, before,
                        store.peak, after, perPage, print * 1e3);
        }
        store.ClearPages();
        workspace.Settings().ReleasePrinterDC(std::move(printer));

        // CopyTo through the Print object: it records (no preview open), then writes each page.
        ComPtr<ITavrin> print;
        CreateComObject<CPrint>(nullptr, IID_ITavrin, print.PutVoid());
        bench->pages = 1000;
        print->put_PrintExt(provider.Get());
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string folder = std::string(temp) + "tavrin-bench-long";
        CreateDirectoryA(folder.c_str(), nullptr);
        long written = 0;
        const double copyTo = Seconds([&] { print->CopyTo(Bstr::FromAnsi(folder + "\\page%i.emf").Get(), &written); });
        std::printf("CopyTo of %ld pages (recording included): %.1f ms, %.3f ms/page\n", written, copyTo * 1e3,
                    copyTo * 1e3 / std::max(written, 1L));
        for (long i = 1; i <= written; ++i) DeleteFileA((folder + "\\page" + std::to_string(i) + ".emf").c_str());
        RemoveDirectoryA(folder.c_str());
    }
    CoUninitialize();
    return 0;
}
