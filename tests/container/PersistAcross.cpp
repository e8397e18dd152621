// persist_across <Tavrin.DLL> <out> [<in>]: saves the property stream of a Print object of the
// given DLL to <out>; with <in>, the object first loads that stream. Built for x86 and x64, it
// lets a script compare what the two builds write and read.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring WinPath(const char* unix) {
    std::string path = unix[0] == '/' ? std::string("Z:") + unix : unix;
    for (char& c : path)
        if (c == '/') c = '\\';
    return std::wstring(path.begin(), path.end());
}

ComPtr<IStream> ReadFile(const std::wstring& path) {
    std::vector<char> bytes;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        char chunk[4096];
        for (size_t n; (n = fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
        fclose(f);
    }
    ComPtr<IStream> s;
    CreateStreamOnHGlobal(nullptr, TRUE, s.Put());
    s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    const LARGE_INTEGER start{};
    s->Seek(start, STREAM_SEEK_SET, nullptr);
    return s;
}

bool WriteFile(const std::wstring& path, IStream* s) {
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (FAILED(GetHGlobalFromStream(s, &memory)) || FAILED(s->Stat(&stat, STATFLAG_NONAME))) return false;
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const void* data = GlobalLock(memory);
    size_t size = static_cast<size_t>(stat.cbSize.QuadPart);
    bool ok = fwrite(data, 1, size, f) == size;
    GlobalUnlock(memory);
    return fclose(f) == 0 && ok;
}

// Properties off their defaults, of every kind the stream holds: text, numbers, colour, font.
HRESULT SetProperties(ITavrin* print) {
    BSTR caption = SysAllocString(L"<b>Across</b> builds"), range = SysAllocString(L"2-3"), face = SysAllocString(L"Arial");
    HRESULT hr = print->put_Caption(caption);
    if (SUCCEEDED(hr)) hr = print->put_PageRange(range);
    if (SUCCEEDED(hr)) hr = print->put_StartPageNumber(7);
    if (SUCCEEDED(hr)) hr = print->put_PageFrameColor(RGB(10, 20, 30));
    if (SUCCEEDED(hr)) hr = print->put_ShowMargins(VARIANT_FALSE);
    ComPtr<IFontDisp> fontDisp;
    ComPtr<IFont> font;
    if (SUCCEEDED(hr)) hr = print->get_Font(fontDisp.Put());
    if (SUCCEEDED(hr)) hr = fontDisp.As(font);
    if (SUCCEEDED(hr)) hr = font->put_Name(face);
    if (SUCCEEDED(hr)) hr = font->put_Bold(TRUE);
    SysFreeString(caption), SysFreeString(range), SysFreeString(face);
    return hr;
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
    if (SUCCEEDED(hr)) hr = argc > 3 ? persist->Load(ReadFile(WinPath(argv[3])).Get()) : SetProperties(print.Get());
    ComPtr<IStream> out;
    if (SUCCEEDED(hr)) hr = CreateStreamOnHGlobal(nullptr, TRUE, out.Put());
    if (SUCCEEDED(hr)) hr = persist->Save(out.Get(), TRUE);
    if (SUCCEEDED(hr) && !WriteFile(WinPath(argv[2]), out.Get())) hr = STG_E_WRITEFAULT;
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
