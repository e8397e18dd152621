#pragma once
// A connection point that keeps its sinks in connection order and fires
// events through IDispatch::Invoke. It lives inside its container and shares
// the container's reference count.
#include <windows.h>
#include "ComPtr.h"
#include <ocidl.h>
#include <vector>

class CConnectionPoint : public IConnectionPoint {
public:
    // `container` is the outer IConnectionPointContainer (not owned: the point lives inside it).
    CConnectionPoint(IConnectionPointContainer* container, REFIID iid) : container_(container), iid_(iid) {}
    CConnectionPoint(const CConnectionPoint&) = delete;
    CConnectionPoint& operator=(const CConnectionPoint&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return container_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return container_->Release(); }

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    const IID& Iid() const { return iid_; }
    size_t SinkCount() const;
    // Calls Invoke(id) on every connected sink in connection order; results are ignored.
    void Fire(DISPID id, DISPPARAMS* params);
    void DisconnectAll() { sinks_.clear(); }

private:
    IConnectionPointContainer* container_;
    IID iid_;
    std::vector<ComPtr<IUnknown>> sinks_;  // cookie = index + 1; an empty slot was unadvised
};

HRESULT EnumConnectionPoints(const std::vector<IConnectionPoint*>& points, IEnumConnectionPoints** out);
