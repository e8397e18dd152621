// The control embedded as a form designer embeds it: OleCreate through the registry,
// windowless in-place activation, drawing, and release.
#include "ComPtr.h"
#include "ContainerSite.h"
#include "DibCanvas.h"
#include "Tavrin_h.h"
#include <gtest/gtest.h>

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

}  // namespace
