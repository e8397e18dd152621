#pragma once
// Reference-counted COM object base with aggregation and table-driven
// QueryInterface. A class derives from ComObject<Interfaces...>, lists its
// interfaces in a QI table, and gets its IUnknown from here: the interfaces'
// IUnknown methods delegate to the outer unknown (the aggregator, or the
// object's own non-delegating unknown).
#include <windows.h>
#include "Module.h"
#include <objbase.h>
#include <new>

struct QIEntry {
    const IID* iid;
    void* (*cast)(void* self);
};

#define QI_ENTRY(Class, Iface) \
    QIEntry { &__uuidof(Iface), [](void* p) -> void* { return static_cast<Iface*>(static_cast<Class*>(p)); } }
// For an interface reached through one of several bases (IDispatch through ITavrin).
#define QI_ENTRY_VIA(Class, Iface, Via) \
    QIEntry { &__uuidof(Iface), [](void* p) -> void* { return static_cast<Iface*>(static_cast<Via*>(static_cast<Class*>(p))); } }

class CComObjectRoot {
public:
    CComObjectRoot(const CComObjectRoot&) = delete;
    CComObjectRoot& operator=(const CComObjectRoot&) = delete;

    IUnknown* InnerUnknown() { return &inner_; }
    IUnknown* OuterUnknown() const { return outer_; }
    bool IsAggregated() const { return outer_ != &inner_; }

protected:
    // An object that holds the module lock keeps DllCanUnloadNow at S_FALSE while it lives;
    // cached class factories do not hold it.
    explicit CComObjectRoot(IUnknown* outer, bool locksModule = true)
        : inner_(this), outer_(outer ? outer : &inner_), locksModule_(locksModule) {
        if (locksModule_) CModule::Lock();
    }
    virtual ~CComObjectRoot() {
        if (locksModule_) CModule::Unlock();
    }

    // The object's interface table, ended by an entry with a null iid; `self`
    // is the most derived object for the casts.
    virtual const QIEntry* QITable() const = 0;
    virtual void* Self() = 0;
    // Runs once after construction, before the first QueryInterface.
    virtual HRESULT FinalConstruct() { return S_OK; }

    template <class T> friend HRESULT CreateComObject(IUnknown* outer, REFIID iid, void** out);

private:
    class Inner : public IUnknown {
    public:
        explicit Inner(CComObjectRoot* owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return owner_->InnerQueryInterface(iid, out); }
        STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&owner_->refs_); }
        STDMETHODIMP_(ULONG) Release() override {
            LONG n = InterlockedDecrement(&owner_->refs_);
            if (n == 0) {
                owner_->refs_ = 1;  // guards against re-entry from the destructor
                delete owner_;
            }
            return n;
        }
    private:
        CComObjectRoot* owner_;
    };

    HRESULT InnerQueryInterface(REFIID iid, void** out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = &inner_;
            inner_.AddRef();
            return S_OK;
        }
        for (const QIEntry* e = QITable(); e->iid; ++e) {
            if (IsEqualIID(iid, *e->iid)) {
                auto* unk = static_cast<IUnknown*>(e->cast(Self()));
                unk->AddRef();
                *out = unk;
                return S_OK;
            }
        }
        return E_NOINTERFACE;
    }

    Inner inner_;
    IUnknown* outer_;
    bool locksModule_;
    LONG refs_ = 0;
};

template <class... Interfaces>
class ComObject : public CComObjectRoot, public Interfaces... {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return OuterUnknown()->QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return OuterUnknown()->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return OuterUnknown()->Release(); }

protected:
    explicit ComObject(IUnknown* outer, bool locksModule = true) : CComObjectRoot(outer, locksModule) {}
};

// Creates T (constructed with the outer unknown) and answers `iid` from it.
// An aggregated object may only be asked for IUnknown.
template <class T>
HRESULT CreateComObject(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    T* obj = new (std::nothrow) T(outer);
    if (!obj) return E_OUTOFMEMORY;
    CComObjectRoot* root = obj;
    IUnknown* inner = root->InnerUnknown();
    inner->AddRef();
    HRESULT hr = root->FinalConstruct();
    if (SUCCEEDED(hr)) hr = inner->QueryInterface(iid, out);
    inner->Release();
    return hr;
}

// The Self/QITable pair that every concrete object writes the same way.
#define DECLARE_QI_TABLE(Class)                                 \
protected:                                                      \
    void* Self() override { return this; }                      \
    const QIEntry* QITable() const override;                    \
public:
