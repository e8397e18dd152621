// The control embedded as a form designer embeds it: OleCreate through the registry,
// windowless in-place activation, drawing, persistence in its storage, and release.
#include "ComPtr.h"
#include "ContainerSite.h"
#include "DibCanvas.h"
#include "Tavrin_h.h"
#include "Text.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

class ContainerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(OleInitialize(nullptr), S_OK); }
    void TearDown() override { OleUninitialize(); }

    static COLORREF Drawn(IOleObject* object, const RECTL* bounds, int x, int y) {
        ComPtr<IViewObject> view;
        EXPECT_EQ(ComPtr<IOleObject>(object).As(view), S_OK);
        DibCanvas canvas(100, 80, RGB(1, 2, 3));
        EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), bounds, nullptr, nullptr, 0),
                  S_OK);
        return canvas.At(x, y);
    }
    static std::string Caption(IUnknown* object) {
        ComPtr<ITavrin> print;
        Bstr text;
        object->QueryInterface(IID_ITavrin, print.PutVoid());
        return print && SUCCEEDED(print->get_Caption(text.Put())) ? text.ToAnsi() : "?";
    }
};

TEST_F(ContainerTest, ActivatesInPlaceWindowlessDrawsInTheAmbientColourAndLeavesNothingBehind) {
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const RECT pos{10, 10, 60, 50};
    struct Case {
        const char* site;
        HRESULT fail;
        bool ambient;
        HRESULT verb;
        COLORREF fill;
    } cases[] = {
        {"designer", S_OK, true, S_OK, RGB(200, 40, 40)},
        {"no ambient properties", S_OK, false, S_OK, window},
        {"every call fails", E_FAIL, true, E_FAIL, window},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.site);
        ContainerSite site(c.fail, c.ambient);
        ComPtr<IStorage> storage;
        ASSERT_EQ(StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                                   0, storage.Put()), S_OK);
        ComPtr<IOleObject> object;
        ASSERT_EQ(OleCreate(CLSID_Print, IID_IOleObject, OLERENDER_NONE, nullptr, &site, storage.Get(),
                            object.PutVoid()), S_OK);
        EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, &pos), c.verb);
        const bool active = c.verb == S_OK;
        EXPECT_EQ(site.activatedWith, active ? DWORD(ACTIVATE_WINDOWLESS) : ~0u);
        ComPtr<IOleInPlaceObjectWindowless> inPlace;
        ASSERT_EQ(object.As(inPlace), S_OK);
        HWND wnd = reinterpret_cast<HWND>(1);
        EXPECT_EQ(inPlace->GetWindow(&wnd), E_FAIL) << "windowless";
        // Active, the control draws into its position rectangle; else only where it is told.
        const RECTL bounds{0, 0, 100, 80};
        EXPECT_EQ(Drawn(object.Get(), active ? nullptr : &bounds, 55, 45), c.fill);
        EXPECT_TRUE(!active || Drawn(object.Get(), nullptr, 70, 60) == RGB(1, 2, 3)) << "outside the position";
        EXPECT_NE(Drawn(object.Get(), &bounds, 16, 16), c.fill) << "the icon at the top-left corner";
        inPlace.Reset();
        // What a designer does before it lets go: then nothing may hold the site or the module.
        EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
        EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
        object.Reset();
        EXPECT_EQ(site.activatedWith, ~0u);
        EXPECT_EQ(site.refs, 0) << "the control keeps no reference to its site";
        // COM loaded the module for OleCreate.
        auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("Tavrin.DLL"), "DllCanUnloadNow")));
        EXPECT_EQ(canUnload ? canUnload() : E_UNEXPECTED, S_OK);
    }
}

// What a designer asks besides drawing: its compound file saved and a copy loaded from it, the
// class's events; and what the control refuses: a plain stream (it has no IPersistStream), quick
// activation, and a storage opened read-only.
TEST_F(ContainerTest, StoragesAndClassInfoAsADesignerUsesThem) {
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    ASSERT_TRUE(GetTempFileNameW(dir, L"tvr", 0, path));
    ComPtr<IStorage> file, readOnly;
    ASSERT_EQ(StgCreateDocfile(path, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, file.Put()), S_OK);
    ContainerSite site(S_OK, true);
    ComPtr<IOleObject> object, copy;
    ASSERT_EQ(OleCreate(CLSID_Print, IID_IOleObject, OLERENDER_NONE, nullptr, &site, file.Get(), object.PutVoid()),
              S_OK);
    ComPtr<IPersistStorage> persist;
    ComPtr<IProvideClassInfo2> info;
    ComPtr<IPersistStreamInit> init;
    ComPtr<ITavrin> print;
    ASSERT_TRUE(object.As(persist) == S_OK && object.As(info) == S_OK && object.As(init) == S_OK &&
                object.As(print) == S_OK);
    ASSERT_EQ(print->put_Caption(Bstr(L"<b>Embedded</b>").Get()), S_OK);
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()), S_OK);
    const struct {
        const char* what;
        std::function<HRESULT()> call;
        HRESULT expected;
    } cases[] = {
        {"OleSave", [&] { return OleSave(persist.Get(), file.Get(), TRUE); }, S_OK},
        {"OleLoad", [&] { return OleLoad(file.Get(), IID_IOleObject, nullptr, copy.PutVoid()); }, S_OK},
        {"the events", [&] {
             GUID events{};
             const HRESULT hr = info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events);
             return FAILED(hr) || events == DIID__ITavrinEvents ? hr : E_FAIL;
         }, S_OK},
        {"OleLoadFromStream", [&] {
             WriteClassStm(stream.Get(), CLSID_Print);
             init->Save(stream.Get(), FALSE);
             stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
             void* loaded = nullptr;  // not owned: Wine's leaves its released object here on failure
             return OleLoadFromStream(stream.Get(), IID_IOleObject, &loaded);
         }, E_NOINTERFACE},
        {"IQuickActivate", [&] { ComPtr<IQuickActivate> quick; return object.As(quick); }, E_NOINTERFACE},
        {"a read-only storage", [&] {
             file.Reset();
             StgOpenStorage(path, nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, readOnly.Put());
             return readOnly ? persist->Save(readOnly.Get(), FALSE) : E_UNEXPECTED;
         }, STG_E_ACCESSDENIED},
    };
    for (const auto& c : cases) EXPECT_EQ(c.call(), c.expected) << c.what;
    EXPECT_EQ(copy ? Caption(copy.Get()) : "", "<b>Embedded</b>") << "the loaded copy";
    EXPECT_EQ(Caption(object.Get()), "<b>Embedded</b>") << "a failed save changes nothing";
    persist.Reset();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    DeleteFileW(path);
}

}  // namespace
