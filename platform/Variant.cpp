#include "Variant.h"
#include "Text.h"

HRESULT Variant::CopyTo(VARIANT* out) const {
    if (!out) return E_POINTER;
    VariantInit(out);
    return VariantCopy(out, const_cast<VARIANT*>(&v_));
}

bool IsMissing(const VARIANT& v) {
    return V_VT(&v) == VT_EMPTY || (V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND);
}

long VariantToLong(const VARIANT& v, long def) {
    if (IsMissing(v)) return def;
    Variant c;
    if (FAILED(VariantChangeType(c.Put(), const_cast<VARIANT*>(&v), 0, VT_I4))) return def;
    return V_I4(&c.Get());
}

bool VariantToBool(const VARIANT& v, bool def) {
    if (IsMissing(v)) return def;
    Variant c;
    if (FAILED(VariantChangeType(c.Put(), const_cast<VARIANT*>(&v), 0, VT_BOOL))) return def;
    return V_BOOL(&c.Get()) != VARIANT_FALSE;
}

std::string VariantToAnsi(const VARIANT& v) {
    if (IsMissing(v)) return {};
    Variant c;
    if (FAILED(VariantChangeType(c.Put(), const_cast<VARIANT*>(&v), 0, VT_BSTR))) return {};
    BSTR s = V_BSTR(&c.Get());
    return ToAnsi(s, static_cast<int>(SysStringLen(s)));
}
