// The module's four exports and its entry point.
#include "CPage.h"
#include "CPrint.h"
#include "ClassFactory.h"
#include "Module.h"
#include "Registrar.h"
#include "Tavrin_h.h"
#include "Text.h"

namespace {

struct ClassEntry {
    const CLSID* clsid;
    CreateInstanceFn create;
    std::vector<RegEntry> (*entries)(const std::wstring& modulePath);
    IClassFactory* factory;  // created on first request, kept until the module unloads
};

ClassEntry g_classes[] = {
    {&CLSID_Print, &CreateComObject<CPrint>, &PrintClassEntries, nullptr},
    {&CLSID_Page, &CreateComObject<CPage>, &PageClassEntries, nullptr},
};

HRESULT TypeLibAttributes(TLIBATTR& attr) {
    ComPtr<ITypeLib> lib;
    HRESULT hr = CModule::GetTypeLib(lib.Put());
    if (FAILED(hr)) return hr;
    TLIBATTR* a = nullptr;
    hr = lib->GetLibAttr(&a);
    if (FAILED(hr)) return hr;
    attr = *a;
    lib->ReleaseTLibAttr(a);
    return S_OK;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        CModule::Init(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded by FreeLibrary (not process exit): drop what the module still caches.
        for (ClassEntry& c : g_classes)
            if (c.factory) c.factory->Release();
        CModule::ReleaseTypeLib();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (ClassEntry& c : g_classes) {
        if (!IsEqualCLSID(clsid, *c.clsid)) continue;
        if (!c.factory) {
            CModule::CLock lock;
            if (!c.factory) {
                ComPtr<IClassFactory> factory;
                HRESULT hr = CreateComObject<CClassFactory>(nullptr, IID_IClassFactory, factory.PutVoid());
                if (FAILED(hr)) return hr;
                static_cast<CClassFactory*>(factory.Get())->SetCreator(c.create);
                c.factory = factory.Detach();
            }
        }
        return c.factory->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() {
    return CModule::LockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    const std::wstring path = CModule::Path();
    for (ClassEntry& c : g_classes) {
        HRESULT hr = RegisterEntries(HKEY_CLASSES_ROOT, c.entries(path));
        if (FAILED(hr)) return hr;
    }
    ComPtr<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, lib.Put());
    return FAILED(hr) ? hr : S_OK;
}

STDAPI DllUnregisterServer() {
    const std::wstring path = CModule::Path();
    for (ClassEntry& c : g_classes) UnregisterEntries(HKEY_CLASSES_ROOT, c.entries(path));
    TLIBATTR attr;
    HRESULT hr = TypeLibAttributes(attr);
    Bstr registeredPath;
    if (SUCCEEDED(hr) && SUCCEEDED(QueryPathOfRegTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid,
                                                         registeredPath.Put())))
        hr = UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind);
    return FAILED(hr) ? hr : S_OK;
}
