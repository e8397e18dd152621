#pragma once
// Owning smart pointer for COM interfaces: the only place that calls AddRef
// and Release by hand.
#include <windows.h>
#include <objbase.h>
#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(T* p) : p_(p) { if (p_) p_->AddRef(); }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& o) { ComPtr(o).Swap(*this); return *this; }
    ComPtr& operator=(ComPtr&& o) noexcept { ComPtr(std::move(o)).Swap(*this); return *this; }
    ComPtr& operator=(T* p) { ComPtr(p).Swap(*this); return *this; }

    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p) { ComPtr r; r.p_ = p; return r; }
    T* Detach() { return std::exchange(p_, nullptr); }

    void Reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }
    void Swap(ComPtr& o) noexcept { std::swap(p_, o.p_); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held first.
    T** Put() { Reset(); return &p_; }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // Hands a new reference to an out-pointer.
    HRESULT CopyTo(T** out) const {
        if (!out) return E_POINTER;
        *out = p_;
        if (p_) p_->AddRef();
        return S_OK;
    }

    template <class U>
    HRESULT As(ComPtr<U>& out) const {
        if (!p_) { out.Reset(); return E_NOINTERFACE; }
        return p_->QueryInterface(__uuidof(U), out.PutVoid());
    }
    HRESULT Query(REFIID iid, void** out) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        return p_ ? p_->QueryInterface(iid, out) : E_NOINTERFACE;
    }

    bool operator==(const ComPtr& o) const { return p_ == o.p_; }
    bool operator!=(const ComPtr& o) const { return p_ != o.p_; }

private:
    T* p_ = nullptr;
};

// Same COM identity: compares the IUnknown each side answers.
template <class A, class B>
bool SameObject(A* a, B* b) {
    if (!a || !b) return a == nullptr && b == nullptr;
    ComPtr<IUnknown> ua, ub;
    a->QueryInterface(IID_IUnknown, ua.PutVoid());
    b->QueryInterface(IID_IUnknown, ub.PutVoid());
    return ua.Get() == ub.Get();
}
