#include "ConnectionPoint.h"
#include "Enumerator.h"
#include <olectl.h>

namespace {

struct ConnectionTraits {
    static void CopyOut(CONNECTDATA* out, const std::pair<ComPtr<IUnknown>, DWORD>& in) {
        out->pUnk = in.first.Get();
        if (out->pUnk) out->pUnk->AddRef();
        out->dwCookie = in.second;
    }
};
using CEnumConnections =
    CEnumSnapshot<IEnumConnections, CONNECTDATA, std::pair<ComPtr<IUnknown>, DWORD>, ConnectionTraits>;

struct PointTraits {
    static void CopyOut(IConnectionPoint** out, const ComPtr<IConnectionPoint>& in) { in.CopyTo(out); }
};
using CEnumPoints = CEnumSnapshot<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>, PointTraits>;

}  // namespace

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint)) return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = container_;
    container_->AddRef();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    ComPtr<IUnknown> typed;
    // Script engines hand out sinks that answer only IDispatch for an event dispinterface.
    if (FAILED(sink->QueryInterface(iid_, typed.PutVoid())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, typed.PutVoid())))
        return CONNECT_E_CANNOTCONNECT;
    sinks_.push_back(typed);
    *cookie = static_cast<DWORD>(sinks_.size());
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD cookie) {
    if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
    sinks_[cookie - 1].Reset();
    while (!sinks_.empty() && !sinks_.back()) sinks_.pop_back();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    auto items = std::make_shared<CEnumConnections::Items>();
    for (size_t i = 0; i < sinks_.size(); ++i)
        if (sinks_[i]) items->emplace_back(sinks_[i], static_cast<DWORD>(i + 1));
    return CEnumConnections::Create(std::move(items), 0, out);
}

size_t CConnectionPoint::SinkCount() const {
    size_t n = 0;
    for (const auto& s : sinks_) n += s ? 1 : 0;
    return n;
}

void CConnectionPoint::Fire(DISPID id, DISPPARAMS* params) {
    // A handler may advise or unadvise while we fire: walk a snapshot.
    std::vector<ComPtr<IUnknown>> snapshot = sinks_;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    for (const auto& sink : snapshot) {
        if (!sink) continue;
        ComPtr<IDispatch> disp;
        if (FAILED(sink.As(disp))) continue;
        disp->Invoke(id, IID_NULL, 0x400, DISPATCH_METHOD, params ? params : &none, nullptr, nullptr, nullptr);
    }
}

HRESULT EnumConnectionPoints(const std::vector<IConnectionPoint*>& points, IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    auto items = std::make_shared<CEnumPoints::Items>();
    for (IConnectionPoint* p : points) items->emplace_back(p);
    return CEnumPoints::Create(std::move(items), 0, out);
}
