#pragma once
// Recording against the printer "PDF" (300 dpi) through providers that write down what they get.
#include "CHostEMFPages.h"
#include "ComObject.h"
#include "DibCanvas.h"
#include "GdiObjects.h"
#include "MetafileText.h"
#include "Variants.h"
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct DrawCall {
    std::string provider;
    long index = -1;  // IPage Index
    VARIANT_BOOL continueIn = 0;
    long options = 0;
    RECT clipBox{};
    int objectType = 0;
    IDispatch* page = nullptr;
    std::vector<double> measures;  // Left, Top, Width, Height, PageWidth, PageHeight
};

class CScriptProvider : public ComObject<IPrintExt> {
    DECLARE_QI_TABLE(CScriptProvider)
    explicit CScriptProvider(IUnknown* outer) : ComObject(outer) {}
    STDMETHODIMP PageCount(VARIANT options, long* count) override;
    STDMETHODIMP DrawPage(VARIANT options, long hdc, IDispatch* page, VARIANT_BOOL* goOn) override;
    ULONG References() {
        AddRef();
        return Release();
    }

    std::string name;
    long pages = 1;
    HRESULT countResult = S_OK;
    HRESULT drawResult = S_OK;
    std::map<long, VARIANT_BOOL> continueAt;  // local index -> value left in the flag
    std::function<void(HDC dc, long index)> draw;
    std::function<void()> onPageCount;
    std::vector<DrawCall>* log = nullptr;
    long countOptions = 0;
};

class CNotingStore : public CHostEMFPages {
public:
    void OnPageRecorded(long index) override { events.push_back("page " + std::to_string(index)); }
    void OnProviderStart() override { events.push_back("start"); }
    void OnProviderEnd() override { events.push_back("end " + std::to_string(GetCount())); }
    std::vector<std::string> events;
};

// Paper and four equal margins in thousandths of an inch.
PAGESETUPDLGA InchSetup(long width, long height, long margin);

// A page played into a white bitmap, at the page's own size unless told otherwise.
struct CPlayedPage : DibCanvas {
    explicit CPlayedPage(CEMFPage& page, LONG size = 0)
        : DibCanvas(size ? size : page.PageRectScreen().right, size ? size : page.PageRectScreen().bottom),
          client(page.Play(Dc(), Rect())) {}
    const RECT client;  // what Play answered
};

class RecordingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Record() { store->LoadPages(printer.Get(), &setup); }
    CScriptProvider* Provider(const std::string& name, long pages);
    // `list` as the provider list, then `current` (if any) as the current provider.
    void Use(IUnknown* current, std::initializer_list<IUnknown*> list = {});
    std::vector<std::string> Strings(long page) const;
    CEMFPage& Page(long index) const { return store->GetPage(index); }

    COwnedDC printer;
    PAGESETUPDLGA setup = InchSetup(8500, 11000, 1000);
    std::unique_ptr<CNotingStore> store;
    std::vector<DrawCall> calls;
    std::vector<ComPtr<IPrintExt>> providers;
};
