// Sample host: creates the registered Print control the way any application
// does (by ProgID, through COM), and reports what it finds.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <cstdio>
#include <string>
#include "Tavrin_h.h"

namespace {

std::string Narrow(BSTR s) {
    if (!s) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, s, static_cast<int>(SysStringLen(s)), nullptr, 0, nullptr, nullptr);
    std::string r(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, static_cast<int>(SysStringLen(s)), r.data(), n, nullptr, nullptr);
    return r;
}

// Prints a text property, or the failure code.
template <class Get>
void Report(const char* label, Get get) {
    BSTR value = nullptr;
    HRESULT hr = get(&value);
    if (SUCCEEDED(hr))
        std::printf("%-14s %s\n", label, Narrow(value).c_str());
    else
        std::printf("%-14s (failed: 0x%08lX)\n", label, static_cast<unsigned long>(hr));
    SysFreeString(value);
}

}  // namespace

int wmain() {
    if (FAILED(CoInitialize(nullptr))) return 2;
    int rc = 0;
    {
        CLSID clsid;
        ITavrin* print = nullptr;
        HRESULT hr = CLSIDFromProgID(L"Koravel.Print", &clsid);
        if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITavrin,
                                                 reinterpret_cast<void**>(&print));
        if (FAILED(hr)) {
            std::printf("Koravel.Print is not available (0x%08lX): register Tavrin.DLL first\n",
                        static_cast<unsigned long>(hr));
            rc = 1;
        } else {
            Report("Version", [&](BSTR* v) { return print->get_Version(v); });
            Report("Printers", [&](BSTR* v) { return print->get_Printers(v); });
            long width = 0, height = 0;
            print->get_ClientWidth(&width);
            print->get_ClientHeight(&height);
            std::printf("%-14s %ld x %ld screen pixels\n", "Client area", width, height);
            VARIANT settings;
            VariantInit(&settings);
            if (SUCCEEDED(print->get_Settings(kvAllFields, &settings)) && settings.vt == VT_BSTR)
                std::printf("Settings:\n%s\n", Narrow(settings.bstrVal).c_str());
            VariantClear(&settings);
            print->Release();
        }
    }
    CoUninitialize();
    return rc;
}
