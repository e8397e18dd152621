#pragma once
// IDispatch answered from the module's embedded type library, so that the
// dispatch table, argument conversion and optional arguments are exactly
// what the type library declares.
#include <windows.h>
#include "ComPtr.h"
#include "Module.h"
#include <oaidl.h>

template <class Iface>
class CDispatchImpl : public Iface {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return CModule::GetTypeInfo(__uuidof(Iface), info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> info;
        HRESULT hr = CModule::GetTypeInfo(__uuidof(Iface), info.Put());
        return FAILED(hr) ? hr : info->GetIDsOfNames(names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> info;
        HRESULT hr = CModule::GetTypeInfo(__uuidof(Iface), info.Put());
        if (FAILED(hr)) return hr;
        hr = info->Invoke(static_cast<Iface*>(this), id, flags, params, result, excep, argErr);
        // A member that raised error information failed with DISP_E_EXCEPTION, but Wine's
        // ITypeInfo::Invoke leaves the exception's scode empty; JScript reads the number from
        // it (VBScript from the HRESULT), so fill it and both engines see 0x80020009.
        if (hr == DISP_E_EXCEPTION && excep && excep->bstrSource && !excep->scode && !excep->wCode)
            excep->scode = DISP_E_EXCEPTION;
        return hr;
    }
};
