#pragma once
// VARIANT ownership and the "convert with a default" rule of automation arguments.
#include <windows.h>
#include <oleauto.h>
#include <string>

class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(const Variant& o) : Variant() { VariantCopy(&v_, const_cast<VARIANT*>(&o.v_)); }
    Variant(const VARIANT& o) : Variant() { VariantCopy(&v_, const_cast<VARIANT*>(&o)); }
    ~Variant() { VariantClear(&v_); }
    Variant& operator=(const Variant& o) {
        if (this != &o) { VariantClear(&v_); VariantCopy(&v_, const_cast<VARIANT*>(&o.v_)); }
        return *this;
    }

    VARIANT* Put() { VariantClear(&v_); return &v_; }
    const VARIANT& Get() const { return v_; }
    VARIANT* Ptr() { return &v_; }
    VARTYPE Type() const { return V_VT(&v_); }
    HRESULT CopyTo(VARIANT* out) const;

private:
    VARIANT v_;
};

// A missing argument (VT_ERROR with DISP_E_PARAMNOTFOUND) or VT_EMPTY.
bool IsMissing(const VARIANT& v);
// Converted argument, or the default when missing or not convertible.
long VariantToLong(const VARIANT& v, long def);
bool VariantToBool(const VARIANT& v, bool def);
// Text in the thread's ANSI code page; empty when missing or not convertible.
std::string VariantToAnsi(const VARIANT& v);
