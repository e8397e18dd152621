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
        // ITypeInfo::Invoke leaves the scode of the exception empty; JScript reads the error
        // number from it (VBScript from the HRESULT), so both engines see DISP_E_EXCEPTION.
        if (hr == DISP_E_EXCEPTION && excep && !excep->scode && !excep->wCode) excep->scode = DISP_E_EXCEPTION;
        return hr;
    }
};
