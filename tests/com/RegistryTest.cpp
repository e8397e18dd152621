// What registration writes, what a second registration leaves, and what removal takes.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
#include <set>
#include <windows.h>

namespace {

std::wstring Guid(const GUID& g) {
    wchar_t text[64];
    StringFromGUID2(g, text, 64);
    return text;
}

bool KeyExists(const std::wstring& path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The string value `name` (null: default) of HKCR\path, or "<missing>".
std::wstring Value(const std::wstring& path, const wchar_t* name = nullptr) {
    wchar_t data[1024];
    DWORD size = sizeof(data), type = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return type == REG_SZ ? std::wstring(data) : L"<not a string>";
}

std::set<std::wstring> Subkeys(const std::wstring& path) {
    std::set<std::wstring> names;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.insert(name);
    }
    RegCloseKey(key);
    return names;
}

class RegistryTest : public ComTest {
protected:
    const std::wstring print = L"CLSID\\" + Guid(CLSID_Print);
    const std::wstring page = L"CLSID\\" + Guid(CLSID_Page);
    const std::wstring module = TavrinModule::Get().Path();
};

TEST_F(RegistryTest, RegistrationWritesEveryEntryOnceEvenWhenRepeated) {
    TavrinModule& m = TavrinModule::Get();
    ASSERT_EQ(m.Register(), S_OK);
    ASSERT_EQ(m.Register(), S_OK);

    EXPECT_EQ(Value(L"Koravel.Print"), L"Tavrin ActiveX Control");
    EXPECT_EQ(Value(L"Koravel.Print\\CLSID"), Guid(CLSID_Print));
    EXPECT_EQ(Value(L"Koravel.Print\\CurVer"), L"Koravel.Print.1");
    EXPECT_EQ(Value(L"Koravel.Print.1"), L"Tavrin ActiveX Control");
    EXPECT_EQ(Value(L"Koravel.Print.1\\CLSID"), Guid(CLSID_Print));

    EXPECT_EQ(Subkeys(print), (std::set<std::wstring>{L"ProgID", L"VersionIndependentProgID", L"Programmable",
                                                      L"InprocServer32", L"Control", L"Insertable",
                                                      L"ToolboxBitmap32", L"MiscStatus", L"TypeLib", L"Version"}));
    EXPECT_EQ(Value(print), L"Tavrin ActiveX Control");
    EXPECT_EQ(Value(print + L"\\ProgID"), L"Koravel.Print.1");
    EXPECT_EQ(Value(print + L"\\VersionIndependentProgID"), L"Koravel.Print");
    EXPECT_EQ(Value(print + L"\\InprocServer32"), module);
    EXPECT_EQ(Value(print + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(Value(print + L"\\ToolboxBitmap32"), module + L", 101");
    EXPECT_EQ(Value(print + L"\\MiscStatus"), L"0");
    EXPECT_EQ(Value(print + L"\\MiscStatus\\1"), L"132497");
    EXPECT_EQ(Value(print + L"\\TypeLib"), Guid(LIBID_TAVRINLib));
    EXPECT_EQ(Value(print + L"\\Version"), L"1.0");

    EXPECT_EQ(Subkeys(page), (std::set<std::wstring>{L"ProgID", L"VersionIndependentProgID", L"Programmable",
                                                     L"InprocServer32", L"TypeLib"}));
    EXPECT_EQ(Value(page), L"Page Class");
    EXPECT_EQ(Value(L"Tavrin.Page"), L"Page Class");
    EXPECT_EQ(Value(L"Tavrin.Page\\CurVer"), L"Tavrin.Page.1");
    EXPECT_EQ(Value(page + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");

    EXPECT_TRUE(KeyExists(L"TypeLib\\" + Guid(LIBID_TAVRINLib) + L"\\1.0"));
    EXPECT_TRUE(KeyExists(L"Interface\\" + Guid(IID_ITavrin)));

    // Registered, the class is found by its ProgID as any host would find it.
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(L"Koravel.Print", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Print));
}

TEST_F(RegistryTest, RemovalTakesOnlyWhatRegistrationAdded) {
    TavrinModule& m = TavrinModule::Get();
    ASSERT_EQ(m.Register(), S_OK);
    // Something another server put under a shared key must survive.
    HKEY other;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{00000000-1111-2222-3333-444444444444}", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &other, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(other);

    ASSERT_EQ(m.Unregister(), S_OK);
    for (const std::wstring& gone : {print, page, std::wstring(L"Koravel.Print"), std::wstring(L"Koravel.Print.1"),
                                     std::wstring(L"Tavrin.Page"), std::wstring(L"Tavrin.Page.1"),
                                     L"TypeLib\\" + Guid(LIBID_TAVRINLib)})
        EXPECT_FALSE(KeyExists(gone)) << std::string(gone.begin(), gone.end());
    EXPECT_TRUE(KeyExists(L"CLSID"));
    EXPECT_TRUE(KeyExists(L"Interface"));
    EXPECT_TRUE(KeyExists(L"CLSID\\{00000000-1111-2222-3333-444444444444}"));
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"CLSID\\{00000000-1111-2222-3333-444444444444}");

    // Removing again finds nothing to remove and still succeeds; the server can come back.
    EXPECT_EQ(m.Unregister(), S_OK);
    ASSERT_EQ(m.Register(), S_OK);
    EXPECT_EQ(Value(print + L"\\InprocServer32"), module);
}

}  // namespace
