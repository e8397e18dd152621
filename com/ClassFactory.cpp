#include "ClassFactory.h"

const QIEntry* CClassFactory::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CClassFactory, IClassFactory), {nullptr, nullptr}};
    return table;
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return create_ ? create_(outer, iid, out) : E_UNEXPECTED;
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
    if (lock)
        CModule::Lock();
    else
        CModule::Unlock();
    return S_OK;
}
