#pragma once
// VARIANT arrays as a script host passes them: Array(...) of objects and values.
#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <vector>

#include "Variant.h"

inline Variant ObjectVariant(IUnknown* object) {
    Variant v;
    V_VT(v.Put()) = VT_UNKNOWN;
    V_UNKNOWN(v.Ptr()) = object;
    if (object) object->AddRef();
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
