// The Print object's property stream: a version, the extent, then the
// persisted properties in map order, each read and written through the
// object's own dispatch interface so that a load applies every put's rules.
#include "CPrint.h"
#include "ComPtr.h"
#include "Text.h"
#include "Variant.h"
#include <olectl.h>
#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t kStreamVersion = 0x800;

struct PersistedProperty {
    const wchar_t* name;
    DISPID id;
};

const PersistedProperty kPropertyMap[] = {
    {L"Caption", 5},         {L"ShowPageNumbers", 7},    {L"PageNumbersPosition", 8}, {L"PageNumbersAlignment", 9},
    {L"CaptionPosition", 10}, {L"CaptionAlignment", 11}, {L"PageOrientation", 13},    {L"Font", DISPID_FONT},
    {L"AsScreen", 24},       {L"ToolBarFormat", 25},     {L"PageRange", 30},          {L"PageNumberFormat", 32},
    {L"StartPageNumber", 34}, {L"ShowMargins", 36},      {L"PageFrameStyle", 37},     {L"PageFrameColor", 38},
};

HRESULT WriteBytes(IStream* s, const void* data, ULONG size) {
    ULONG written = 0;
    HRESULT hr = s->Write(data, size, &written);
    return FAILED(hr) ? hr : (written == size ? S_OK : STG_E_MEDIUMFULL);
}

HRESULT ReadBytes(IStream* s, void* data, ULONG size) {
    ULONG read = 0;
    HRESULT hr = s->Read(data, size, &read);
    return FAILED(hr) ? hr : (read == size ? S_OK : STG_E_READFAULT);
}

// Text as its byte count (terminating zero included; 0 for a null text) and UTF-16 bytes.
HRESULT WriteText(IStream* s, BSTR text) {
    uint32_t bytes = text ? (SysStringLen(text) + 1) * sizeof(wchar_t) : 0;
    HRESULT hr = WriteBytes(s, &bytes, sizeof bytes);
    if (SUCCEEDED(hr) && bytes) hr = WriteBytes(s, text, bytes);
    return hr;
}

HRESULT ReadText(IStream* s, BSTR* text) {
    *text = nullptr;
    uint32_t bytes = 0;
    HRESULT hr = ReadBytes(s, &bytes, sizeof bytes);
    if (FAILED(hr) || bytes == 0) return hr;
    if (bytes % sizeof(wchar_t) || bytes > (1u << 28)) return E_FAIL;  // not a text this writer made
    std::vector<wchar_t> chars(bytes / sizeof(wchar_t));
    hr = ReadBytes(s, chars.data(), bytes);
    if (FAILED(hr)) return hr;
    *text = SysAllocStringLen(chars.data(), static_cast<UINT>(chars.size() - 1));
    return *text ? S_OK : E_OUTOFMEMORY;
}

// Bytes of the value part for fixed-size types; 0 for the others.
ULONG FixedSize(VARTYPE vt) {
    switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_BOOL: case VT_I2: case VT_UI2: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8: return 8;
    default: return 0;
    }
}

HRESULT WriteVariant(IStream* s, const VARIANT& v) {
    VARTYPE vt = V_VT(&v);
    HRESULT hr = WriteBytes(s, &vt, sizeof vt);
    if (FAILED(hr)) return hr;
    if (ULONG size = FixedSize(vt)) return WriteBytes(s, &V_UI1(&v), size);
    switch (vt) {
    case VT_EMPTY: case VT_NULL: return S_OK;
    case VT_BSTR: return WriteText(s, V_BSTR(&v));
    case VT_DISPATCH: case VT_UNKNOWN: {
        IUnknown* object = V_UNKNOWN(&v);
        ComPtr<IPersistStream> persist;
        if (!object || FAILED(object->QueryInterface(IID_IPersistStream, persist.PutVoid())))
            return WriteBytes(s, &CLSID_NULL, sizeof(CLSID));
        return OleSaveToStream(persist.Get(), s);
    }
    default: {
        Variant text;
        hr = VariantChangeType(text.Put(), const_cast<VARIANT*>(&v), 0, VT_BSTR);
        return FAILED(hr) ? hr : WriteText(s, V_BSTR(&text.Get()));
    }
    }
}

HRESULT ReadVariant(IStream* s, VARIANT* v) {
    VariantInit(v);
    VARTYPE vt = VT_EMPTY;
    HRESULT hr = ReadBytes(s, &vt, sizeof vt);
    if (FAILED(hr)) return hr;
    if (ULONG size = FixedSize(vt)) {
        hr = ReadBytes(s, &V_UI1(v), size);
        if (SUCCEEDED(hr)) V_VT(v) = vt;
        return hr;
    }
    switch (vt) {
    case VT_EMPTY: case VT_NULL:
        V_VT(v) = vt;
        return S_OK;
    case VT_BSTR:
        hr = ReadText(s, &V_BSTR(v));
        if (SUCCEEDED(hr)) V_VT(v) = VT_BSTR;
        return hr;
    case VT_DISPATCH: case VT_UNKNOWN: {
        // A class that is not registered here loads as no object.
        LARGE_INTEGER zero{};
        ULARGE_INTEGER start{};
        s->Seek(zero, STREAM_SEEK_CUR, &start);
        CLSID clsid;
        hr = ReadBytes(s, &clsid, sizeof clsid);
        if (FAILED(hr)) return hr;
        V_VT(v) = vt;
        V_UNKNOWN(v) = nullptr;
        if (IsEqualCLSID(clsid, CLSID_NULL)) return S_OK;
        LARGE_INTEGER back;
        back.QuadPart = static_cast<LONGLONG>(start.QuadPart);
        s->Seek(back, STREAM_SEEK_SET, nullptr);
        hr = OleLoadFromStream(s, vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown,
                               reinterpret_cast<void**>(&V_UNKNOWN(v)));
        if (hr == REGDB_E_CLASSNOTREG) hr = S_OK;
        return hr;
    }
    default: {
        Variant text;
        hr = ReadText(s, &V_BSTR(text.Put()));
        if (FAILED(hr)) return hr;
        V_VT(text.Ptr()) = VT_BSTR;
        return VariantChangeType(v, text.Ptr(), 0, vt);
    }
    }
}

}  // namespace

STDMETHODIMP CPrint::Save(IStream* stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    HRESULT hr = WriteBytes(stream, &kStreamVersion, sizeof kStreamVersion);
    if (SUCCEEDED(hr)) hr = WriteBytes(stream, &extent_.cx, sizeof(uint32_t));
    if (SUCCEEDED(hr)) hr = WriteBytes(stream, &extent_.cy, sizeof(uint32_t));
    IDispatch* self = static_cast<ITavrin*>(this);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    for (const PersistedProperty& p : kPropertyMap) {
        if (FAILED(hr)) return hr;
        Variant value;
        hr = self->Invoke(p.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.Put(), nullptr,
                          nullptr);
        if (SUCCEEDED(hr)) hr = WriteVariant(stream, value.Get());
    }
    if (SUCCEEDED(hr) && clearDirty) dirty_ = false;
    return hr;
}

STDMETHODIMP CPrint::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    uint32_t version = 0;
    HRESULT hr = ReadBytes(stream, &version, sizeof version);
    if (FAILED(hr)) return hr;
    if (version > kStreamVersion) return E_FAIL;  // a newer writer: change nothing
    SIZEL extent{};
    if (FAILED(hr = ReadBytes(stream, &extent.cx, sizeof(uint32_t))) ||
        FAILED(hr = ReadBytes(stream, &extent.cy, sizeof(uint32_t))))
        return hr;
    extent_ = extent;
    IDispatch* self = static_cast<ITavrin*>(this);
    for (const PersistedProperty& p : kPropertyMap) {
        Variant value;
        hr = ReadVariant(stream, value.Put());
        if (FAILED(hr)) return hr;
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS put = {value.Ptr(), &named, 1, 1};
        VARTYPE vt = value.Type();
        bool byReference = vt == VT_DISPATCH || vt == VT_UNKNOWN || (vt & (VT_ARRAY | VT_BYREF));
        hr = E_FAIL;
        if (byReference)
            hr = self->Invoke(p.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUTREF, &put, nullptr, nullptr,
                              nullptr);
        if (FAILED(hr))
            hr = self->Invoke(p.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr,
                              nullptr);
        if (FAILED(hr)) return E_FAIL;
    }
    dirty_ = false;
    return S_OK;
}

STDMETHODIMP CPrint::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    // The exact size of what Save would write now.
    ComPtr<IStream> probe;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, probe.Put());
    if (SUCCEEDED(hr)) hr = Save(probe.Get(), FALSE);
    if (FAILED(hr)) return hr;
    STATSTG stat{};
    hr = probe->Stat(&stat, STATFLAG_NONAME);
    if (SUCCEEDED(hr)) *size = stat.cbSize;
    return hr;
}

STDMETHODIMP CPrint::Load(IStorage* storage) {
    if (!storage) return E_POINTER;
    ComPtr<IStream> contents;
    HRESULT hr = storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, contents.Put());
    return FAILED(hr) ? hr : Load(contents.Get());
}

STDMETHODIMP CPrint::Save(IStorage* storage, BOOL) {
    if (!storage) return E_POINTER;
    ComPtr<IStream> contents;
    HRESULT hr = storage->CreateStream(L"Contents", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                       contents.Put());
    return FAILED(hr) ? hr : Save(contents.Get(), TRUE);
}
