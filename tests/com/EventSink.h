#pragma once
// A host's event sink for _ITavrinEvents: writes down every event with its arguments in the
// order a handler sees them, and runs the test's handler for it.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include <ocidl.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CEventSink : public IDispatch {
public:
    ~CEventSink() { Disconnect(); }  // a test that stops early must not leave the control a dead sink
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID__ITavrinEvents))
            *out = static_cast<IDispatch*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        std::string line = Name(id);
        // Dispatch arguments come last first: walk them back into declaration order.
        for (UINT i = params ? params->cArgs : 0; i-- > 0;) {
            const VARIANT& a = params->rgvarg[i];
            line += ' ';
            if (V_VT(&a) == VT_I4) line += std::to_string(V_I4(&a));
            else if (V_VT(&a) == VT_BSTR) for (const wchar_t* c = V_BSTR(&a); c && *c; ++c) line += static_cast<char>(*c);
            else line += "?";
        }
        events.push_back(line);
        if (handlers.count(id) && handlers[id]) handlers[id]();
        return S_OK;
    }

    static std::string Name(DISPID id) {
        const std::map<DISPID, std::string> names{
            {-600, "Click"}, {-550, "Refresh"}, {1, "Refreshing"}, {450, "AnchorClick"}};
        return names.count(id) ? names.at(id) : "event" + std::to_string(id);
    }

    bool Connect(IUnknown* object) {
        ComPtr<IConnectionPointContainer> container;
        return SUCCEEDED(object->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())) &&
               SUCCEEDED(container->FindConnectionPoint(DIID__ITavrinEvents, point_.Put())) &&
               SUCCEEDED(point_->Advise(static_cast<IDispatch*>(this), &cookie_));
    }
    void Disconnect() {
        if (point_ && cookie_) point_->Unadvise(cookie_);
        point_.Reset();
        cookie_ = 0;
    }

    std::vector<std::string> events;
    std::map<DISPID, std::function<void()>> handlers;
    ULONG refs = 1;

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};
