#pragma once
// Values as a script host passes them: texts, numbers, objects, and Array(...) of them.
#include <windows.h>
#include <oleauto.h>
#include <initializer_list>
#include <string>
#include <vector>
#include "Variant.h"
#include "Text.h"

inline Variant ObjectVariant(IUnknown* object) {
    Variant v;
    V_VT(v.Put()) = VT_UNKNOWN;
    V_UNKNOWN(v.Ptr()) = object;
    if (object) object->AddRef();
    return v;
}

// The object's IDispatch, as scripts hand over pictures; VT_DISPATCH null when it has none.
inline Variant DispatchVariant(IUnknown* object) {
    Variant v;
    V_VT(v.Put()) = VT_DISPATCH;
    V_DISPATCH(v.Ptr()) = nullptr;
    if (object) object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(v.Ptr())));
    return v;
}

inline Variant TextVariant(const std::string& text) {
    Variant v;
    V_VT(v.Put()) = VT_BSTR;
    V_BSTR(v.Ptr()) = Bstr::FromAnsi(text).Detach();
    return v;
}

inline Variant NumberVariant(long n) {
    Variant v;
    V_VT(v.Put()) = VT_I4;
    V_I4(v.Ptr()) = n;
    return v;
}

// A one-dimensional VT_VARIANT array with its lower bound at `base`.
inline Variant VariantList(const std::vector<Variant>& items, LONG base = 0) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, base, static_cast<ULONG>(items.size()));
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
        LONG at = base + i;
        SafeArrayPutElement(array, &at, const_cast<VARIANT*>(&items[i].Get()));
    }
    Variant list;
    V_VT(list.Put()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(list.Ptr()) = array;
    return list;
}

inline Variant VariantList(std::initializer_list<IUnknown*> objects) {
    std::vector<Variant> items;
    for (IUnknown* object : objects) items.push_back(ObjectVariant(object));
    return VariantList(items);
}
