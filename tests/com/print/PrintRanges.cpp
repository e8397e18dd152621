// Prints a 5-page document, whose page k reads "Body of page k", once per page range and once
// with a selected area through the workspace. Writes a line per document,
// "<prefix>_<case> <pages expected, comma-separated, or - for none>", for print-ranges.sh.
#include "CHostEMFPages.h"
#include "CPrint.h"
#include "CPrintWorkspace.h"
#include "toolbar/CPrintToolBar.h"
#include "TestProvider.h"
#include "Text.h"
#include <cstdio>
#include <string>

namespace {

class CQuietDefaults : public IDefaultSettings {
public:
    long OnToolbarClick(long, long) override { return 0; }
    void OnRefreshEnd() override {}
    void OnRefreshBegin() override {}
    void OnAnchorClick(const char*, const char*) override {}
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: print_ranges <prefix>\n");
        return 2;
    }
    const std::string prefix = ToAnsi(argv[1]);
    CoInitialize(nullptr);
    int rc = 0;
    {
        ComPtr<IPrintExt> provider = NewProvider();
        auto& five = *static_cast<CTestProvider*>(provider.Get());
        five.pages = 5;
        five.onDraw = [](HDC dc, long index) {
            const std::string text = "Body of page " + std::to_string(index + 1);
            TextOutA(dc, 100, 100, text.c_str(), static_cast<int>(text.size()));
            Rectangle(dc, 100, 140, 400, 300);
        };
        ComPtr<ITavrin> print;
        CreateComObject<CPrint>(nullptr, IID_ITavrin, print.PutVoid());
        print->put_PrintExt(provider.Get());
        // The spooler gets just the chosen pages, an open range up to the end, all, or none.
        const struct {
            const char *name, *range, *pages;
        } cases[] = {{"twofour", "2-4", "2,3,4"}, {"fourup", "4-", "4,5"}, {"empty", "", "1,2,3,4,5"},
                     {"beyond", "7-9", "-"}};
        VARIANT no;
        V_VT(&no) = VT_BOOL;
        V_BOOL(&no) = VARIANT_FALSE;
        for (const auto& c : cases) {
            const std::string name = prefix + "_" + c.name;
            print->put_Caption(Bstr::FromAnsi(name).Get());
            print->put_PageRange(Bstr::FromAnsi(c.range).Get());
            const HRESULT hr = print->DoPrint(no);
            long recorded = 0;
            print->get_PagesCount(&recorded);
            if (hr != S_OK || recorded != 5) {
                std::printf("DoPrint for %s: 0x%08lx, %ld pages recorded\n", name.c_str(),
                            static_cast<unsigned long>(hr), recorded);
                rc = 1;
            }
            std::printf("%s %s\n", name.c_str(), c.pages);
        }

        // A selected area of page 3: that page alone, whatever the range says.
        CQuietDefaults defaults;
        CHostEMFPages pages;
        CPrintToolBar toolbar;
        CPrintWorkspace workspace(defaults, pages, toolbar);
        pages.PutPrintExt(provider.Get());
        pages.pageRange_ = "1-2";
        const std::string name = prefix + "_selection";
        pages.documentCaption_.Caption = Bstr::FromAnsi(name);
        workspace.Selection() = PrintSelection{2, 0.1, 0.1, 0.6, 0.5};
        workspace.DoPrint(false);
        std::printf("%s %s\n", name.c_str(), pages.GetCount() == 5 ? "3" : "recording failed");
    }
    CoUninitialize();
    std::fflush(stdout);
    return rc;
}
