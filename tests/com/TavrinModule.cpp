#include "TavrinModule.h"
#include "ComPtr.h"
#include <windows.h>

TavrinModule& TavrinModule::Get() {
    static TavrinModule module;
    return module;
}

TavrinModule::TavrinModule() {
    std::string unixPath = TAVRIN_DLL_PATH;
    std::string path = unixPath[0] == '/' ? "Z:" + unixPath : unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    path_.assign(path.begin(), path.end());
    module_ = LoadLibraryW(path_.c_str());
    if (!module_) return;
    getClassObject_ = reinterpret_cast<decltype(getClassObject_)>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    canUnloadNow_ = reinterpret_cast<decltype(canUnloadNow_)>(reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    register_ = reinterpret_cast<decltype(register_)>(reinterpret_cast<void*>(GetProcAddress(module_, "DllRegisterServer")));
    unregister_ = reinterpret_cast<decltype(unregister_)>(reinterpret_cast<void*>(GetProcAddress(module_, "DllUnregisterServer")));
}

HRESULT TavrinModule::Create(REFCLSID clsid, IUnknown* outer, REFIID iid, void** out) const {
    ComPtr<IClassFactory> factory;
    HRESULT hr = GetClassObject(clsid, IID_IClassFactory, factory.PutVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(outer, iid, out);
}
