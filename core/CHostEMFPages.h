#pragma once
// The page store: the document properties that decorate every page, the page
// providers, the shared page object and (once recorded) the pages themselves.
#include "ComPtr.h"
#include "CPage.h"
#include "ExtraCaption.h"
#include "Tavrin_h.h"
#include "Variant.h"
#include <map>
#include <string>
#include <vector>

class CHostEMFPages {
public:
    CHostEMFPages();
    virtual ~CHostEMFPages();
    CHostEMFPages(const CHostEMFPages&) = delete;
    CHostEMFPages& operator=(const CHostEMFPages&) = delete;

    // Null, or an object without IPrintExt: E_NOTIMPL and nothing changes.
    virtual HRESULT SetPrintExt(IUnknown* object);
    virtual long GetCount() const { return 0; }
    virtual void SetExtraCaption(const std::string& key, const std::string& caption, long position,
                                 long alignment);

    // Automation side of the providers.
    HRESULT PutPrintExt(IUnknown* object);
    HRESULT GetPrintExt(IUnknown** out) const;
    HRESULT PutPrintExts(const VARIANT& value);
    HRESULT GetPrintExts(VARIANT* out) const;
    bool HasProvider() const { return currentProvider_ || !providers_.empty(); }

    // Finds a provider in a VARIANT: the object itself, or (one level) its "Object" member.
    static bool GetPrintExtFromVariant(const VARIANT& value, ComPtr<IPrintExt>& found);

    // Document properties.
    ExtraCaption documentCaption_;
    Variant options_;
    VARIANT_BOOL showPageNumbers_ = VARIANT_TRUE;
    VARIANT_BOOL asScreen_ = VARIANT_FALSE;
    long pageNumbersPosition_ = kFooter;
    long pageNumbersAlignment_ = kAlignRight;
    std::string pageNumberFormat_ = "<%page%>";
    long startPageNumber_ = 1;
    long pageFrameStyle_ = 0;
    OLE_COLOR pageFrameColor_ = 0;
    ComPtr<IFont> font_;
    std::map<std::string, ExtraCaption> extraCaptions_;
    std::string pageRange_;

protected:
    // Drops the providers; the Print object also closes an open preview here.
    virtual void ReleaseProviders();

    ComPtr<IPrintExt> currentProvider_;
    std::vector<ComPtr<IPrintExt>> providers_;
    ComPtr<IPage> pageObject_;
    CPage* page_ = nullptr;  // the object behind pageObject_
};
