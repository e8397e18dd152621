#pragma once
// A COM enumerator (IEnumConnections, IEnumConnectionPoints, ...) over a
// snapshot of stored items (which own their references). Traits::CopyOut
// hands one out to the caller with a reference of its own.
#include "ComObject.h"
#include <memory>
#include <vector>

template <class IEnum, class Item, class Stored, class Traits>
class CEnumSnapshot : public ComObject<IEnum> {
public:
    using Items = std::vector<Stored>;

    static HRESULT Create(std::shared_ptr<const Items> items, size_t pos, IEnum** out) {
        ComPtr<IUnknown> unk;
        HRESULT hr = CreateComObject<CEnumSnapshot>(nullptr, IID_IUnknown, unk.PutVoid());
        if (FAILED(hr)) return hr;
        ComPtr<IEnum> e;
        hr = unk.As(e);
        if (FAILED(hr)) return hr;
        auto* obj = static_cast<CEnumSnapshot*>(e.Get());
        obj->items_ = std::move(items);
        obj->pos_ = pos;
        *out = e.Detach();
        return S_OK;
    }

    explicit CEnumSnapshot(IUnknown* outer) : ComObject<IEnum>(outer) {}

    STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        while (n < count && pos_ < items_->size()) Traits::CopyOut(&out[n++], (*items_)[pos_++]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        size_t left = items_->size() - pos_;
        pos_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override { pos_ = 0; return S_OK; }
    STDMETHODIMP Clone(IEnum** out) override {
        if (!out) return E_POINTER;
        return Create(items_, pos_, out);
    }

protected:
    void* Self() override { return this; }
    const QIEntry* QITable() const override {
        static const QIEntry table[] = {QI_ENTRY(CEnumSnapshot, IEnum), {nullptr, nullptr}};
        return table;
    }

private:
    std::shared_ptr<const Items> items_;
    size_t pos_ = 0;
};
