#include "RecordingTest.h"

const QIEntry* CScriptProvider::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CScriptProvider, IPrintExt), {nullptr, nullptr}};
    return table;
}

STDMETHODIMP CScriptProvider::PageCount(VARIANT options, long* count) {
    countOptions = VariantToLong(options, 0);
    if (onPageCount) onPageCount();
    if (FAILED(countResult)) return countResult;
    *count = pages;
    return S_OK;
}

STDMETHODIMP CScriptProvider::DrawPage(VARIANT options, long hdc, IDispatch* page, VARIANT_BOOL* goOn) {
    DrawCall call;
    call.provider = name;
    const HDC dc = reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc));
    call.continueIn = *goOn;
    call.options = VariantToLong(options, 0);
    GetClipBox(dc, &call.clipBox);
    call.objectType = static_cast<int>(GetObjectType(dc));
    call.page = page;
    ComPtr<IPage> described;
    if (page && SUCCEEDED(page->QueryInterface(IID_IPage, described.PutVoid()))) {
        described->get_Index(&call.index);
        for (auto get : {&IPage::get_Left, &IPage::get_Top, &IPage::get_Width, &IPage::get_Height,
                         &IPage::get_PageWidth, &IPage::get_PageHeight})
            (described.Get()->*get)(&call.measures.emplace_back());
    }
    if (draw) draw(dc, call.index);
    if (continueAt.count(call.index)) *goOn = continueAt[call.index];
    if (log) log->push_back(call);
    return drawResult;
}

PAGESETUPDLGA InchSetup(long width, long height, long margin) {
    PAGESETUPDLGA s{};
    s.lStructSize = sizeof s;
    s.Flags = PSD_INTHOUSANDTHSOFINCHES | PSD_MARGINS;
    s.ptPaperSize = POINT{width, height};
    s.rtMargin = RECT{margin, margin, margin, margin};
    return s;
}

void RecordingTest::SetUp() {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    printer.Reset(CreateDCA("WINSPOOL", "PDF", nullptr, nullptr));
    ASSERT_TRUE(printer) << "the CUPS printer PDF must be installed";
    store = std::make_unique<CNotingStore>();
}

void RecordingTest::TearDown() {
    store.reset();
    providers.clear();
    printer.Reset();
    CoUninitialize();
}

CScriptProvider* RecordingTest::Provider(const std::string& name, long pages) {
    providers.emplace_back();
    CreateComObject<CScriptProvider>(nullptr, IID_IPrintExt, providers.back().PutVoid());
    auto* p = static_cast<CScriptProvider*>(providers.back().Get());
    p->name = name;
    p->pages = pages;
    p->log = &calls;
    return p;
}

void RecordingTest::Use(IUnknown* current, std::initializer_list<IUnknown*> list) {
    if (list.size()) store->PutPrintExts(VariantList(list).Get());
    if (current) store->PutPrintExt(current);
}

std::vector<std::string> RecordingTest::Strings(long page) const {
    std::vector<std::string> s;
    for (const MetafileText& t : TextsOf(store->GetPage(page).GetHandle())) s.push_back(t.text);
    return s;
}
