#include "CPrint.h"
#include "ErrorInfo.h"
#include "Gdi.h"
#include "Messages.h"
#include "Module.h"
#include <olectl.h>

const wchar_t kPrintProgId[] = L"Koravel.Print";

namespace {

constexpr int kControlIconId = 201;
constexpr SIZE kDesignSize = {36, 36};  // pixels


}  // namespace

CPrint::CPrint(IUnknown* outer)
    : ComObject(outer),
      eventsPoint_(this, DIID__ITavrinEvents),
      propertyNotifyPoint_(this, IID_IPropertyNotifySink) {
    extent_ = PixelsToHimetric(kDesignSize);
    naturalExtent_ = extent_;
}

CPrint::~CPrint() {
    destroying_ = true;
    frame_.Destroy();
    // The points hold sinks of the host; let them go before the rest of the object.
    eventsPoint_.DisconnectAll();
    propertyNotifyPoint_.DisconnectAll();
}

const QIEntry* CPrint::QITable() const {
    static const QIEntry table[] = {
        QI_ENTRY(CPrint, ITavrin),
        QI_ENTRY_VIA(CPrint, IDispatch, ITavrin),
        QI_ENTRY(CPrint, IViewObjectEx),
        QI_ENTRY(CPrint, IViewObject2),
        QI_ENTRY(CPrint, IViewObject),
        QI_ENTRY(CPrint, IOleInPlaceObjectWindowless),
        QI_ENTRY(CPrint, IOleInPlaceObject),
        QI_ENTRY_VIA(CPrint, IOleWindow, IOleInPlaceObject),
        QI_ENTRY(CPrint, IOleInPlaceActiveObject),
        QI_ENTRY(CPrint, IOleControl),
        QI_ENTRY(CPrint, IOleObject),
        QI_ENTRY(CPrint, IPersistStreamInit),
        QI_ENTRY_VIA(CPrint, IPersist, IPersistStreamInit),
        QI_ENTRY(CPrint, ISupportErrorInfo),
        QI_ENTRY(CPrint, IConnectionPointContainer),
        QI_ENTRY(CPrint, ISpecifyPropertyPages),
        QI_ENTRY(CPrint, IPersistStorage),
        QI_ENTRY(CPrint, IDataObject),
        QI_ENTRY_VIA(CPrint, IProvideClassInfo, IProvideClassInfo2),
        QI_ENTRY(CPrint, IProvideClassInfo2),
        {nullptr, nullptr},
    };
    return table;
}

HRESULT CPrint::CheckProvider(const char* method) {
    if (HasProvider()) return S_OK;
    return RaiseAutomationError(
        std::string("The PrintExt/PrintExts property must be set before calling ") + method + " method",
        kPrintProgId);
}

STDMETHODIMP CPrint::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID_ITavrin) ? S_OK : S_FALSE;
}

DWORD CPrint::ControlMiscStatus() const {
    return OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_ACTIVATEWHENVISIBLE |
           OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
}

void CPrint::OnDraw(HDC dc, const RECT& rect) {
    COLORREF back = GetSysColor(COLOR_WINDOW);
    Variant ambient;
    if (SUCCEEDED(GetAmbientProperty(DISPID_AMBIENT_BACKCOLOR, ambient.Put()))) {
        long color = VariantToLong(ambient.Get(), -1);
        COLORREF translated;
        if (color != -1 && SUCCEEDED(OleTranslateColor(static_cast<OLE_COLOR>(color), nullptr, &translated)))
            back = translated;
    }
    Brush brush(CreateSolidBrush(back));
    FillRect(dc, &rect, brush.Get());
    RECT frame = rect;
    DrawEdge(dc, &frame, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT);
    auto icon = static_cast<HICON>(
        LoadImageW(CModule::Instance(), MAKEINTRESOURCEW(kControlIconId), IMAGE_ICON, 32, 32, LR_SHARED));
    if (icon) DrawIconEx(dc, rect.left, rect.top, icon, 32, 32, 0, nullptr, DI_NORMAL);
}

// --- connection points and events -------------------------------------------

STDMETHODIMP CPrint::EnumConnectionPoints(IEnumConnectionPoints** out) {
    return ::EnumConnectionPoints({&eventsPoint_, &propertyNotifyPoint_}, out);
}

STDMETHODIMP CPrint::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (CConnectionPoint* point : {&eventsPoint_, &propertyNotifyPoint_}) {
        if (IsEqualIID(iid, point->Iid())) {
            *out = point;
            point->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

long CPrint::OnToolbarClick(long id, long selectedId) {
    if (destroying_) return 0;
    VARIANT args[2];
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = selectedId;
    V_VT(&args[1]) = VT_I4;
    V_I4(&args[1]) = id;
    DISPPARAMS params = {args, nullptr, 2, 0};
    eventsPoint_.Fire(DISPID_CLICK, &params);
    return 0;
}

void CPrint::OnRefreshEnd() {
    if (!destroying_) eventsPoint_.Fire(DISPID_REFRESH, nullptr);
}

void CPrint::OnRefreshBegin() {
    if (!destroying_) eventsPoint_.Fire(1, nullptr);
}

void CPrint::OnAnchorClick(const char* anchorId, const char* options) {
    if (destroying_) return;
    Bstr id = Bstr::FromAnsi(anchorId ? anchorId : "");
    Bstr opts = Bstr::FromAnsi(options ? options : "");
    VARIANT args[2];
    V_VT(&args[0]) = VT_BSTR;
    V_BSTR(&args[0]) = opts.Get();
    V_VT(&args[1]) = VT_BSTR;
    V_BSTR(&args[1]) = id.Get();
    DISPPARAMS params = {args, nullptr, 2, 0};
    eventsPoint_.Fire(450, &params);
}

// --- recording progress ---------------------------------------------------------

void CPrint::OnPageRecorded(long globalIndex) {
    if (HWND workspace = workspace_.Window())
        SendMessageA(workspace, PreviewMessages::Get().loadPage, static_cast<WPARAM>(globalIndex), 0);
}

void CPrint::OnProviderStart() {
    if (!frame_.IsWindow()) return;
    const std::string printing = toolbar_.ItemCaption(kvPrinting);
    SendMessageA(frame_.Handle(), PreviewMessages::Get().setPaneText, 0, reinterpret_cast<LPARAM>(printing.c_str()));
}

void CPrint::OnProviderEnd() {
    if (!frame_.IsWindow()) return;
    const UINT setPaneText = PreviewMessages::Get().setPaneText;
    const std::string ready = toolbar_.ItemCaption(kvReady);
    SendMessageA(frame_.Handle(), setPaneText, 0, reinterpret_cast<LPARAM>(ready.c_str()));
    const std::string text = toolbar_.ItemCaption(kvPage) + ": " + std::to_string(GetCount());
    SendMessageA(frame_.Handle(), setPaneText, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void CPrint::ReleaseProviders() {
    if (frame_.IsWindow()) {
        // Inside a recording the workspace is still at work: let the frame close when it is done.
        if (recording_)
            PostMessageA(frame_.Handle(), WM_CLOSE, 0, 0);
        else
            frame_.Destroy();
    }
    CHostEMFPages::ReleaseProviders();
}

// --- persistence ----------------------------------------------------------------

STDMETHODIMP CPrint::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Print;
    return S_OK;
}

STDMETHODIMP CPrint::InitNew() {
    dirty_ = true;
    return S_OK;
}

STDMETHODIMP CPrint::InitNew(IStorage*) { return InitNew(); }

STDMETHODIMP CPrint::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(2 * sizeof(GUID)));
    if (!pages->pElems) return E_OUTOFMEMORY;
    // The system's stock font and colour property pages.
    CLSIDFromString(L"{7EBDAAE0-8120-11CF-899F-00AA00688B10}", &pages->pElems[0]);
    CLSIDFromString(L"{7EBDAAE1-8120-11CF-899F-00AA00688B10}", &pages->pElems[1]);
    pages->cElems = 2;
    return S_OK;
}
