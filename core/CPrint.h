#pragma once
// The Print control: the object a host creates. It answers ITavrin, raises
// _ITavrinEvents, persists its properties, draws a placeholder in designers,
// and owns the page store with the document properties.
#include "CHostEMFPages.h"
#include "ComObject.h"
#include "ConnectionPoint.h"
#include "ControlBase.h"
#include "Dispatch.h"
#include "IDefaultSettings.h"
#include "IUnkWindowObject.h"
#include "PageTextCache.h"
#include "CPrintMainFrame.h"
#include "Tavrin_h.h"

extern const wchar_t kPrintProgId[];  // "Koravel.Print"

class CPrint : public ComObject<CDispatchImpl<ITavrin>, CComControlBase, IPersistStreamInit, ISupportErrorInfo,
                                IConnectionPointContainer, IPersistStorage, ISpecifyPropertyPages>,
               public CHostEMFPages,
               public IDefaultSettings,
               public IUnkWindowObject {
    DECLARE_QI_TABLE(CPrint)
    explicit CPrint(IUnknown* outer);
    ~CPrint() override;

    // ITavrin
    STDMETHODIMP __FAILEDTOIMPORTACTIVEX() override { return S_OK; }
    STDMETHODIMP putref_Font(IFontDisp* font) override;
    STDMETHODIMP put_Font(IFontDisp* font) override;
    STDMETHODIMP get_Font(IFontDisp** font) override;
    STDMETHODIMP get_Version(BSTR* value) override;
    STDMETHODIMP put_Version(BSTR) override { return S_OK; }
    STDMETHODIMP get_PrintExt(IUnknown** value) override { return GetPrintExt(value); }
    STDMETHODIMP put_PrintExt(IUnknown* value) override { return PutPrintExt(value); }
    STDMETHODIMP putref_PrintExt(IUnknown* value) override { return PutPrintExt(value); }
    STDMETHODIMP DoPrint(VARIANT showUI) override;
    STDMETHODIMP Preview() override;
    STDMETHODIMP get_Caption(BSTR* value) override;
    STDMETHODIMP put_Caption(BSTR value) override;
    STDMETHODIMP get_hWnd(long* value) override;
    STDMETHODIMP get_ShowPageNumbers(VARIANT_BOOL* value) override;
    STDMETHODIMP put_ShowPageNumbers(VARIANT_BOOL value) override;
    STDMETHODIMP get_PageNumbersPosition(PositionEnum* value) override;
    STDMETHODIMP put_PageNumbersPosition(PositionEnum value) override;
    STDMETHODIMP get_PageNumbersAlignment(AlignmentEnum* value) override;
    STDMETHODIMP put_PageNumbersAlignment(AlignmentEnum value) override;
    STDMETHODIMP get_CaptionPosition(PositionEnum* value) override;
    STDMETHODIMP put_CaptionPosition(PositionEnum value) override;
    STDMETHODIMP get_CaptionAlignment(AlignmentEnum* value) override;
    STDMETHODIMP put_CaptionAlignment(AlignmentEnum value) override;
    STDMETHODIMP get_Options(VARIANT* value) override;
    STDMETHODIMP put_Options(VARIANT value) override;
    STDMETHODIMP get_PageOrientation(PageOrientationEnum* value) override;
    STDMETHODIMP put_PageOrientation(PageOrientationEnum value) override;
    STDMETHODIMP get_Settings(FieldsEnum field, VARIANT* value) override;
    STDMETHODIMP put_Settings(FieldsEnum field, VARIANT value) override;
    STDMETHODIMP get_ItemCaption(ItemCaptionEnum item, BSTR* value) override;
    STDMETHODIMP put_ItemCaption(ItemCaptionEnum item, BSTR value) override;
    STDMETHODIMP ExtraCaption(VARIANT key, VARIANT caption, VARIANT position, VARIANT alignment) override;
    STDMETHODIMP get_Debug(BSTR* value) override;
    STDMETHODIMP get_Encode64(VARIANT picture, BSTR* value) override;
    STDMETHODIMP get_Encode64Icons(VARIANT icons, BSTR* value) override;
    STDMETHODIMP get_Printers(BSTR* value) override;
    STDMETHODIMP get_ClientWidth(long* value) override;
    STDMETHODIMP get_ClientHeight(long* value) override;
    STDMETHODIMP get_AsScreen(VARIANT_BOOL* value) override;
    STDMETHODIMP put_AsScreen(VARIANT_BOOL value) override;
    STDMETHODIMP get_ToolBarFormat(BSTR* value) override;
    STDMETHODIMP put_ToolBarFormat(BSTR value) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP get_ItemToolTip(ItemCaptionEnum item, BSTR* value) override;
    STDMETHODIMP put_ItemToolTip(ItemCaptionEnum item, BSTR value) override;
    STDMETHODIMP Images(VARIANT handle) override;
    STDMETHODIMP ReplaceIcon(VARIANT icon, VARIANT index, long* result) override;
    STDMETHODIMP get_HTMLPicture(BSTR key, VARIANT* value) override;
    STDMETHODIMP put_HTMLPicture(BSTR key, VARIANT value) override;
    STDMETHODIMP get_PageRange(BSTR* value) override;
    STDMETHODIMP put_PageRange(BSTR value) override;
    STDMETHODIMP get_PagesCount(long* value) override;
    STDMETHODIMP get_PageNumberFormat(BSTR* value) override;
    STDMETHODIMP put_PageNumberFormat(BSTR value) override;
    STDMETHODIMP get_StartPageNumber(long* value) override;
    STDMETHODIMP put_StartPageNumber(long value) override;
    STDMETHODIMP get_Foreground(long* value) override;
    STDMETHODIMP put_Foreground(long value) override;
    STDMETHODIMP get_ShowMargins(VARIANT_BOOL* value) override;
    STDMETHODIMP put_ShowMargins(VARIANT_BOOL value) override;
    STDMETHODIMP get_PageFrameStyle(PageFrameStyleEnum* value) override;
    STDMETHODIMP put_PageFrameStyle(PageFrameStyleEnum value) override;
    STDMETHODIMP get_PageFrameColor(OLE_COLOR* value) override;
    STDMETHODIMP put_PageFrameColor(OLE_COLOR value) override;
    STDMETHODIMP get_AutoRelease(VARIANT_BOOL* value) override;
    STDMETHODIMP put_AutoRelease(VARIANT_BOOL value) override;
    STDMETHODIMP CopyTo(BSTR path, long* result) override;
    STDMETHODIMP get_PrintExts(VARIANT* value) override { return GetPrintExts(value); }
    STDMETHODIMP put_PrintExts(VARIANT value) override { return PutPrintExts(value); }
    // Text of the recorded pages (CPrintFind.cpp).
    STDMETHODIMP PageText(long page, BSTR* value) override;
    STDMETHODIMP FindText(BSTR text, VARIANT startPage, VARIANT matchCase, long* value) override;

    // IPersist / IPersistStreamInit / IPersistStorage
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return dirty_ ? S_OK : S_FALSE; }
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP InitNew(IStorage* storage) override;
    STDMETHODIMP Load(IStorage* storage) override;
    STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

    // IDefaultSettings: the notifications that become events.
    long OnToolbarClick(long id, long selectedId) override;
    void OnRefreshEnd() override;
    void OnRefreshBegin() override;
    void OnAnchorClick(const char* anchorId, const char* options) override;

    // CHostEMFPages: recording progress for an open preview.
    void OnPageRecorded(long globalIndex) override;
    void OnProviderEnd() override;
    void OnProviderStart() override;
    // Closes an open preview before the providers go.
    void ReleaseProviders() override;

    // IUnkWindowObject
    void AddRefObject() override { AddRef(); }
    void ReleaseObject() override { Release(); }

protected:
    // CComControlBase
    const CLSID& ControlClsid() const override { return CLSID_Print; }
    const IID& ControlEventsIid() const override { return DIID__ITavrinEvents; }
    DWORD ControlMiscStatus() const override;
    void OnDraw(HDC dc, const RECT& rect) override;

private:
    // Fails with the automation error when no provider is set.
    HRESULT CheckProvider(const char* method);
    // The host's text members read the whole document: a pending recording completes, and
    // without a preview the pages are recorded when none are.
    void PagesForText();

    // The preview frame with the workspace, the toolbar and the status bar; windows only
    // while the preview is open.
    CPrintMainFrame frame_{*this, *this, *this};
    CPrintWorkspace& workspace_ = frame_.Workspace();
    CPrintToolBar& toolbar_ = frame_.ToolBar();
    CConnectionPoint eventsPoint_;
    CConnectionPoint propertyNotifyPoint_;
    VARIANT_BOOL autoRelease_ = VARIANT_TRUE;
    long foreground_ = 0;
    VARIANT_BOOL showMargins_ = VARIANT_TRUE;
    bool dirty_ = true;
    CPageTextCache pageTexts_;
};
