#pragma once
// Class factory of one creatable class: creates objects (aggregation allowed)
// and keeps the module loaded while a host holds a server lock.
#include "ComObject.h"

using CreateInstanceFn = HRESULT (*)(IUnknown* outer, REFIID iid, void** out);

class CClassFactory : public ComObject<IClassFactory> {
    DECLARE_QI_TABLE(CClassFactory)
    explicit CClassFactory(IUnknown* outer) : ComObject(outer, false) {}
    void SetCreator(CreateInstanceFn create) { create_ = create; }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    CreateInstanceFn create_ = nullptr;
};
