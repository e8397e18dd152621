// persist_across <Tavrin.DLL> <out> [<in>]: saves a Print object's property stream to <out>,
// after loading <in> if given, so that a script compares what the x86 and x64 builds write.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include "Text.h"
#include <shlwapi.h>
#include <cstdio>
#include <string>

namespace {

// A Unix path as Wine's Z: drive sees it.
std::wstring WinPath(const char* unix) {
    std::wstring path = unix[0] == '/' ? L"Z:" : L"";
    for (const char* c = unix; *c; ++c) path += *c == '/' ? L'\\' : wchar_t(*c);
    return path;
}
ComPtr<IStream> FileStream(const char* path, bool write) {
    ComPtr<IStream> s;
    SHCreateStreamOnFileEx(WinPath(path).c_str(), write ? STGM_CREATE | STGM_WRITE : STGM_READ, FILE_ATTRIBUTE_NORMAL,
                           write, nullptr, s.Put());
    return s;
}

// Properties of every kind the stream holds off their defaults.
HRESULT SetProperties(ITavrin* print) {
    ComPtr<IFontDisp> fontDisp;
    ComPtr<IFont> font;
    HRESULT hr = S_OK;
    for (HRESULT step : {print->put_Caption(Bstr(L"<b>Across</b> builds").Get()),
                         print->put_PageRange(Bstr(L"2-3").Get()), print->put_StartPageNumber(7), print->put_PageFrameColor(RGB(10, 20, 30)),
                         print->put_ShowMargins(VARIANT_FALSE), print->get_Font(fontDisp.Put())})
        if (FAILED(step)) hr = step;
    if (SUCCEEDED(hr)) hr = fontDisp.As(font);
    if (SUCCEEDED(hr)) hr = font->put_Name(Bstr(L"Arial").Get());
    return SUCCEEDED(hr) ? font->put_Bold(TRUE) : hr;
}

HRESULT Run(int argc, char** argv) {
    HMODULE module = LoadLibraryW(WinPath(argv[1]).c_str());
    auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(module ? GetProcAddress(module, "DllGetClassObject") : nullptr));
    if (!getClassObject) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    ComPtr<IClassFactory> factory;
    ComPtr<ITavrin> print;
    ComPtr<IPersistStreamInit> persist;
    HRESULT hr = getClassObject(CLSID_Print, IID_IClassFactory, factory.PutVoid());
    if (SUCCEEDED(hr)) hr = factory->CreateInstance(nullptr, IID_ITavrin, print.PutVoid());
    if (SUCCEEDED(hr)) hr = print.As(persist);
    if (SUCCEEDED(hr)) hr = argc > 3 ? persist->Load(FileStream(argv[3], false).Get()) : SetProperties(print.Get());
    ComPtr<IStream> out = FileStream(argv[2], true);
    if (SUCCEEDED(hr)) hr = out ? persist->Save(out.Get(), TRUE) : STG_E_WRITEFAULT;
    return hr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: persist_across <Tavrin.DLL> <out> [<in>]\n");
        return 2;
    }
    CoInitialize(nullptr);
    HRESULT hr = Run(argc, argv);
    CoUninitialize();
    printf("persist_across (%d-bit): 0x%08lx\n", int(sizeof(void*) * 8), static_cast<unsigned long>(hr));
    return SUCCEEDED(hr) ? 0 : 1;
}
