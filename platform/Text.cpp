#include "Text.h"
#include <windows.h>

std::string ToAnsi(const wchar_t* s, int len) {
    if (!s) return {};
    if (len < 0) len = static_cast<int>(wcslen(s));
    if (len == 0) return {};
    int n = WideCharToMultiByte(CP_THREAD_ACP, 0, s, len, nullptr, 0, nullptr, nullptr);
    std::string r(n, '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, s, len, r.data(), n, nullptr, nullptr);
    return r;
}

std::wstring ToWide(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_THREAD_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring r(n, L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, s.data(), static_cast<int>(s.size()), r.data(), n);
    return r;
}

Bstr Bstr::FromAnsi(const std::string& s) {
    std::wstring w = ToWide(s);
    return Bstr(w.c_str(), static_cast<UINT>(w.size()));
}

std::string Bstr::ToAnsi() const { return ::ToAnsi(s_, static_cast<int>(Length())); }

HRESULT ReturnAnsi(const std::string& s, BSTR* out) {
    if (!out) return E_POINTER;
    *out = Bstr::FromAnsi(s).Detach();
    return *out || s.empty() ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnWide(const wchar_t* s, BSTR* out) {
    if (!out) return E_POINTER;
    *out = s ? SysAllocString(s) : nullptr;
    return (*out || !s) ? S_OK : E_OUTOFMEMORY;
}
