// The module's exports: class objects, unload rules, the lock count, and what registration
// writes, what a second registration leaves and what removal takes.
#include "TavrinModule.h"

namespace {

class ServerTest : public ComTest {};

TEST_F(ServerTest, ClassObjectsAndUnloadingOnlyWhenNoObjectOrLockIsAlive) {
    TavrinModule& m = TavrinModule::Get();
    EXPECT_EQ(m.GetClassObject(CLSID_Print, IID_IClassFactory, nullptr), E_POINTER);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(m.GetClassObject(IID_ITavrin, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(m.GetClassObject(CLSID_Print, IID_IClassFactory, factory.PutVoid()), S_OK);
    EXPECT_EQ(m.CanUnloadNow(), S_OK) << "a cached factory alone must not pin the module";
    {
        ComPtr<ITavrin> print;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        ComPtr<IConnectionPointContainer> cpc;
        ASSERT_EQ(print.As(cpc), S_OK);
        print.Reset();
        EXPECT_EQ(m.CanUnloadNow(), S_FALSE) << "another interface still holds the object";
    }
    EXPECT_EQ(m.CanUnloadNow(), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(m.CanUnloadNow(), S_FALSE);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
}

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

// The string value `name` (null: default) of HKCR\path.
std::wstring Value(const std::wstring& path, const wchar_t* name = nullptr) {
    wchar_t data[1024];
    DWORD size = sizeof(data);
    const LSTATUS found = RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size);
    return found == ERROR_SUCCESS ? data : L"<missing>";
}

const std::wstring kPrint = L"CLSID\\" + Guid(CLSID_Print), kPage = L"CLSID\\" + Guid(CLSID_Page);
// The control's interfaces, which the type library's registration writes and removes.
const std::wstring kInterfaces[] = {L"Interface\\" + Guid(IID_ITavrin), L"Interface\\" + Guid(DIID__ITavrinEvents),
                                    L"Interface\\" + Guid(IID_IPage)};

TEST_F(ServerTest, RegistrationWritesEveryEntryEvenWhenRepeatedAndRemovalTakesOnlyThose) {
    TavrinModule& m = TavrinModule::Get();
    const std::wstring module = m.Path(), control = L"Tavrin ActiveX Control";
    ASSERT_EQ(m.Register(), S_OK);
    ASSERT_EQ(m.Register(), S_OK);
    const struct {
        std::wstring path;
        const wchar_t* name;
        std::wstring value;
    } values[] = {
        {L"Koravel.Print", nullptr, control},
        {L"Koravel.Print\\CurVer", nullptr, L"Koravel.Print.1"},
        {kPrint, nullptr, control},
        {kPrint + L"\\ProgID", nullptr, L"Koravel.Print.1"},
        {kPrint + L"\\InprocServer32", nullptr, module},
        {kPrint + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {kPrint + L"\\ToolboxBitmap32", nullptr, module + L", 101"},
        {kPrint + L"\\MiscStatus\\1", nullptr, L"132497"},
        {kPrint + L"\\TypeLib", nullptr, Guid(LIBID_TAVRINLib)},
        {L"Tavrin.Page\\CurVer", nullptr, L"Tavrin.Page.1"},
    };
    for (const auto& v : values) EXPECT_EQ(Value(v.path, v.name), v.value) << std::string(v.path.begin(), v.path.end());
    for (const wchar_t* key : {L"\\Control", L"\\Insertable", L"\\Programmable"})
        EXPECT_TRUE(KeyExists(kPrint + key));
    for (const std::wstring& key : kInterfaces)
        EXPECT_EQ(Value(key + L"\\TypeLib"), Guid(LIBID_TAVRINLib)) << std::string(key.begin(), key.end());

    // Something another server put under a shared key must survive removal.
    const std::wstring other = L"CLSID\\{00000000-1111-2222-3333-444444444444}";
    ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, other.c_str(), REG_SZ, L"other", 0), ERROR_SUCCESS);
    ASSERT_EQ(m.Unregister(), S_OK);
    for (const std::wstring& gone : {kPrint, kPage, std::wstring(L"Koravel.Print"), std::wstring(L"Koravel.Print.1"),
                                     std::wstring(L"Tavrin.Page"), L"TypeLib\\" + Guid(LIBID_TAVRINLib)})
        EXPECT_FALSE(KeyExists(gone)) << std::string(gone.begin(), gone.end());
    for (const std::wstring& gone : kInterfaces) EXPECT_FALSE(KeyExists(gone)) << std::string(gone.begin(), gone.end());
    EXPECT_TRUE(KeyExists(other));
    RegDeleteKeyW(HKEY_CLASSES_ROOT, other.c_str());
    // Removing again finds nothing to remove and still succeeds; the server comes back.
    EXPECT_EQ(m.Unregister(), S_OK);
    ASSERT_EQ(m.Register(), S_OK);
}

}  // namespace
