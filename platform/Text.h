#pragma once
// BSTR ownership and the ANSI <-> UTF-16 conversions at the automation boundary.
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <utility>

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* s) : s_(s ? SysAllocString(s) : nullptr) {}
    Bstr(const wchar_t* s, UINT len) : s_(SysAllocStringLen(s, len)) {}
    Bstr(const Bstr& o) : s_(o.s_ ? SysAllocStringLen(o.s_, SysStringLen(o.s_)) : nullptr) {}
    Bstr(Bstr&& o) noexcept : s_(std::exchange(o.s_, nullptr)) {}
    ~Bstr() { SysFreeString(s_); }
    Bstr& operator=(Bstr o) noexcept { std::swap(s_, o.s_); return *this; }

    static Bstr Attach(BSTR s) { Bstr b; b.s_ = s; return b; }
    static Bstr FromAnsi(const std::string& s);
    BSTR Detach() { return std::exchange(s_, nullptr); }
    BSTR Get() const { return s_; }
    BSTR* Put() { SysFreeString(s_); s_ = nullptr; return &s_; }
    UINT Length() const { return SysStringLen(s_); }
    bool Empty() const { return Length() == 0; }
    std::string ToAnsi() const;

private:
    BSTR s_ = nullptr;
};

// Thread ANSI code page conversions; a null or empty input gives an empty result.
std::string ToAnsi(const wchar_t* s, int len = -1);
std::wstring ToWide(const std::string& s);
// Writes a freshly allocated BSTR holding s to *out (E_POINTER when out is null).
HRESULT ReturnAnsi(const std::string& s, BSTR* out);
HRESULT ReturnWide(const wchar_t* s, BSTR* out);
