// The module's exports: class objects, unload rules and the lock count.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"

namespace {

class ServerTest : public ComTest {};

TEST_F(ServerTest, ModuleLoadsWithItsFourExports) {
    TavrinModule& m = TavrinModule::Get();
    ASSERT_NE(m.Handle(), nullptr);
    for (const char* name : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"})
        EXPECT_NE(GetProcAddress(m.Handle(), name), nullptr) << name;
}

TEST_F(ServerTest, MagnifierCursorsAndMarginHandlesAreInTheModule) {
    HMODULE module = TavrinModule::Get().Handle();
    for (int id : {213, 214}) {
        HCURSOR cursor = LoadCursorA(module, MAKEINTRESOURCEA(id));
        ASSERT_NE(cursor, nullptr) << id;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 12u);
        EXPECT_EQ(info.yHotspot, 12u);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    for (int id : {205, 206}) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "BMP24");
        ASSERT_NE(found, nullptr) << id;
        const auto* file = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(file + sizeof(BITMAPFILEHEADER));
        EXPECT_EQ(info->biWidth, 19);
        EXPECT_EQ(info->biHeight, 19);
        EXPECT_EQ(info->biBitCount, 24);
        // The corner pixel (blue, green, red) is the colour drawn transparent.
        const BYTE* corner = file + reinterpret_cast<const BITMAPFILEHEADER*>(file)->bfOffBits;
        EXPECT_EQ(RGB(corner[2], corner[1], corner[0]), RGB(237, 28, 34)) << id;
    }
}

TEST_F(ServerTest, ClassObjectErrors) {
    TavrinModule& m = TavrinModule::Get();
    EXPECT_EQ(m.GetClassObject(CLSID_Print, IID_IClassFactory, nullptr), E_POINTER);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(m.GetClassObject(IID_ITavrin, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    ComPtr<IClassFactory> f;
    EXPECT_EQ(m.GetClassObject(CLSID_Print, IID_ITavrin, f.PutVoid()), E_NOINTERFACE);
}

TEST_F(ServerTest, FactoryIsCreatedOnceAndServesBothClasses) {
    TavrinModule& m = TavrinModule::Get();
    ComPtr<IClassFactory> a, b, page;
    ASSERT_EQ(m.GetClassObject(CLSID_Print, IID_IClassFactory, a.PutVoid()), S_OK);
    ASSERT_EQ(m.GetClassObject(CLSID_Print, IID_IUnknown, b.PutVoid()), S_OK);
    EXPECT_TRUE(SameObject(a.Get(), b.Get()));
    ASSERT_EQ(m.GetClassObject(CLSID_Page, IID_IClassFactory, page.PutVoid()), S_OK);
    EXPECT_FALSE(SameObject(page.Get(), a.Get()));

    ComPtr<IPage> p;
    ASSERT_EQ(page->CreateInstance(nullptr, IID_IPage, p.PutVoid()), S_OK);
    ComPtr<ITavrin> notAPrint;
    EXPECT_EQ(p.As(notAPrint), E_NOINTERFACE);
}

TEST_F(ServerTest, CanUnloadOnlyWhenNoObjectOrLockIsAlive) {
    TavrinModule& m = TavrinModule::Get();
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(m.GetClassObject(CLSID_Print, IID_IClassFactory, factory.PutVoid()), S_OK);
    EXPECT_EQ(m.CanUnloadNow(), S_OK) << "a cached factory alone must not pin the module";

    {
        ComPtr<ITavrin> print;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        EXPECT_EQ(m.CanUnloadNow(), S_FALSE);
        ComPtr<IConnectionPointContainer> cpc;
        ASSERT_EQ(print.As(cpc), S_OK);
        print.Reset();
        EXPECT_EQ(m.CanUnloadNow(), S_FALSE) << "another interface still holds the object";
    }
    EXPECT_EQ(m.CanUnloadNow(), S_OK);

    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(m.CanUnloadNow(), S_FALSE);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(m.CanUnloadNow(), S_OK);

    ComPtr<IPage> page;
    ASSERT_EQ(m.Create(CLSID_Page, nullptr, IID_IPage, page.PutVoid()), S_OK);
    EXPECT_EQ(m.CanUnloadNow(), S_FALSE);
    page.Reset();
    EXPECT_EQ(m.CanUnloadNow(), S_OK);
}

}  // namespace
