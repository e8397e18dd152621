#include "GdiplusPicture.h"
#include "Gdi.h"
#include "Library.h"
#include "PictureBytesCheck.h"
#include <mutex>
#include <new>

namespace gdiplus {

// The flat API, declared here with opaque types so that no GDI+ header is needed.
struct StartupInput {
    UINT32 version = 1;
    void* debugCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};
struct GpGraphics;
constexpr int kOk = 0;
constexpr int kUnitPixel = 2;
constexpr int kInterpolationHighQualityBilinear = 6;

class CGdiplus {
public:
    // The running library shared by every image; null when GDI+ is missing or does not start.
    static std::shared_ptr<CGdiplus> Acquire() {
        static std::mutex lock;
        static std::weak_ptr<CGdiplus> running;
        std::lock_guard<std::mutex> guard(lock);
        std::shared_ptr<CGdiplus> lib = running.lock();
        if (lib) return lib;
        lib.reset(new (std::nothrow) CGdiplus);
        if (!lib || !lib->m_token) return nullptr;
        running = lib;
        return lib;
    }
    ~CGdiplus() {
        if (m_token && Shutdown) Shutdown(m_token);
    }
    CGdiplus(const CGdiplus&) = delete;
    CGdiplus& operator=(const CGdiplus&) = delete;

    CLibrary library{"gdiplus.dll"};
    int(WINAPI* Startup)(ULONG_PTR*, const StartupInput*, void*) = library.Proc<decltype(Startup)>("GdiplusStartup");
    void(WINAPI* Shutdown)(ULONG_PTR) = library.Proc<decltype(Shutdown)>("GdiplusShutdown");
    int(WINAPI* CreateBitmapFromStream)(IStream*, GpImage**) =
        library.Proc<decltype(CreateBitmapFromStream)>("GdipCreateBitmapFromStream");
    int(WINAPI* DisposeImage)(GpImage*) = library.Proc<decltype(DisposeImage)>("GdipDisposeImage");
    int(WINAPI* GetImageWidth)(GpImage*, UINT*) = library.Proc<decltype(GetImageWidth)>("GdipGetImageWidth");
    int(WINAPI* GetImageHeight)(GpImage*, UINT*) = library.Proc<decltype(GetImageHeight)>("GdipGetImageHeight");
    int(WINAPI* CreateFromHDC)(HDC, GpGraphics**) = library.Proc<decltype(CreateFromHDC)>("GdipCreateFromHDC");
    int(WINAPI* DeleteGraphics)(GpGraphics*) = library.Proc<decltype(DeleteGraphics)>("GdipDeleteGraphics");
    int(WINAPI* SetInterpolationMode)(GpGraphics*, int) =
        library.Proc<decltype(SetInterpolationMode)>("GdipSetInterpolationMode");
    int(WINAPI* DrawImageRectRectI)(GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT, INT, int, void*,
                                    void*, void*) =
        library.Proc<decltype(DrawImageRectRectI)>("GdipDrawImageRectRectI");
    int(WINAPI* CreateHBITMAPFromBitmap)(GpImage*, HBITMAP*, DWORD) =
        library.Proc<decltype(CreateHBITMAPFromBitmap)>("GdipCreateHBITMAPFromBitmap");

private:
    CGdiplus() {
        bool complete = Startup && Shutdown && CreateBitmapFromStream && DisposeImage && GetImageWidth &&
                        GetImageHeight && CreateFromHDC && DeleteGraphics && SetInterpolationMode &&
                        DrawImageRectRectI && CreateHBITMAPFromBitmap;
        StartupInput input;
        if (complete && Startup(&m_token, &input, nullptr) != kOk) m_token = 0;
    }
    ULONG_PTR m_token = 0;
};

// A GDI+ graphics object over a device context for one drawing.
class CGraphics {
public:
    CGraphics(const CGdiplus& lib, HDC dc) : m_lib(lib) {
        if (lib.CreateFromHDC(dc, &m_graphics) != kOk) m_graphics = nullptr;
    }
    ~CGraphics() {
        if (m_graphics) m_lib.DeleteGraphics(m_graphics);
    }
    CGraphics(const CGraphics&) = delete;
    CGraphics& operator=(const CGraphics&) = delete;
    GpGraphics* Get() const { return m_graphics; }

private:
    const CGdiplus& m_lib;
    GpGraphics* m_graphics = nullptr;
};

std::unique_ptr<CImage> CImage::Load(const Bytes& bytes) {
    if (bytes.empty() || DamagedPictureBytes(bytes)) return nullptr;
    std::unique_ptr<CImage> image(new (std::nothrow) CImage);
    if (!image) return nullptr;
    image->m_lib = CGdiplus::Acquire();
    if (!image->m_lib) return nullptr;
    image->m_stream = StreamOnBytes(bytes);
    if (!image->m_stream) return nullptr;
    const CGdiplus& lib = *image->m_lib;
    if (lib.CreateBitmapFromStream(image->m_stream.Get(), &image->m_image) != kOk) {
        image->m_image = nullptr;
        return nullptr;
    }
    if (lib.GetImageWidth(image->m_image, &image->m_width) != kOk ||
        lib.GetImageHeight(image->m_image, &image->m_height) != kOk || !image->m_width || !image->m_height)
        return nullptr;
    image->m_bytes = bytes;
    return image;
}

CImage::~CImage() {
    if (m_image) m_lib->DisposeImage(m_image);
}

bool CImage::Draw(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY, int srcCx, int srcCy) const {
    CGraphics graphics(*m_lib, dc);
    if (!graphics.Get()) return false;
    m_lib->SetInterpolationMode(graphics.Get(), kInterpolationHighQualityBilinear);
    return m_lib->DrawImageRectRectI(graphics.Get(), m_image, x, y, cx, cy, srcX, srcY, srcCx, srcCy, kUnitPixel,
                                     nullptr, nullptr, nullptr) == kOk;
}

HBITMAP CImage::MakeBitmap() const {
    HBITMAP bitmap = nullptr;
    // Transparent parts show as white, as on a page.
    if (m_lib->CreateHBITMAPFromBitmap(m_image, &bitmap, 0xFFFFFFFF) != kOk) return nullptr;
    return bitmap;
}

// --- CPictureDispEx ----------------------------------------------------------

CPictureDispEx::CPictureDispEx(std::unique_ptr<CImage> image) : ComObject(nullptr), m_image(std::move(image)) {}

CPictureDispEx::~CPictureDispEx() {
    if (m_bitmap) DeleteObject(m_bitmap);
}

const QIEntry* CPictureDispEx::QITable() const {
    static const QIEntry table[] = {
        QI_ENTRY(CPictureDispEx, IPicture),
        QI_ENTRY(CPictureDispEx, IPictureDisp),
        QI_ENTRY_VIA(CPictureDispEx, IDispatch, IPictureDisp),
        {nullptr, nullptr},
    };
    return table;
}

ComPtr<IPicture> CPictureDispEx::Load(const Bytes& bytes) {
    std::unique_ptr<CImage> image = CImage::Load(bytes);
    if (!image) return nullptr;
    auto* object = new (std::nothrow) CPictureDispEx(std::move(image));
    if (!object) return nullptr;
    IUnknown* inner = object->InnerUnknown();
    inner->AddRef();
    ComPtr<IPicture> picture;
    inner->QueryInterface(IID_IPicture, picture.PutVoid());
    inner->Release();
    return picture;
}

SIZE CPictureDispEx::HimetricSize() const {
    SIZEL size = PixelsToHimetric(SIZE{static_cast<LONG>(m_image->Width()), static_cast<LONG>(m_image->Height())});
    return SIZE{size.cx, size.cy};
}

STDMETHODIMP CPictureDispEx::get_Handle(OLE_HANDLE* handle) {
    if (!handle) return E_POINTER;
    if (!m_bitmap) m_bitmap = m_image->MakeBitmap();
    *handle = static_cast<OLE_HANDLE>(reinterpret_cast<ULONG_PTR>(m_bitmap));
    return m_bitmap ? S_OK : E_FAIL;
}

STDMETHODIMP CPictureDispEx::get_hPal(OLE_HANDLE* palette) {
    if (!palette) return E_POINTER;
    *palette = 0;
    return S_OK;
}

STDMETHODIMP CPictureDispEx::get_Type(SHORT* type) {
    if (!type) return E_POINTER;
    *type = PICTYPE_BITMAP;
    return S_OK;
}

STDMETHODIMP CPictureDispEx::get_Width(OLE_XSIZE_HIMETRIC* width) {
    if (!width) return E_POINTER;
    *width = HimetricSize().cx;
    return S_OK;
}

STDMETHODIMP CPictureDispEx::get_Height(OLE_YSIZE_HIMETRIC* height) {
    if (!height) return E_POINTER;
    *height = HimetricSize().cy;
    return S_OK;
}

STDMETHODIMP CPictureDispEx::Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                                    OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                                    LPCRECT) {
    if (!dc) return E_INVALIDARG;
    SIZE himetric = HimetricSize();
    if (!himetric.cx || !himetric.cy) return E_FAIL;
    // HIMETRIC runs upwards from the bottom edge, pixels downwards from the top.
    const int w = static_cast<int>(m_image->Width()), h = static_cast<int>(m_image->Height());
    int srcX = MulDiv(xSrc, w, himetric.cx);
    int srcY = MulDiv(himetric.cy - ySrc, h, himetric.cy);
    int srcCx = MulDiv(cxSrc, w, himetric.cx);
    int srcCy = MulDiv(-cySrc, h, himetric.cy);
    return m_image->Draw(dc, x, y, cx, cy, srcX, srcY, srcCx, srcCy) ? S_OK : E_FAIL;
}

STDMETHODIMP CPictureDispEx::set_hPal(OLE_HANDLE) { return E_NOTIMPL; }

STDMETHODIMP CPictureDispEx::get_CurDC(HDC* dc) {
    if (!dc) return E_POINTER;
    *dc = nullptr;  // never selected into a device context
    return S_OK;
}

STDMETHODIMP CPictureDispEx::SelectPicture(HDC, HDC*, OLE_HANDLE*) { return E_NOTIMPL; }

STDMETHODIMP CPictureDispEx::get_KeepOriginalFormat(BOOL* keep) {
    if (!keep) return E_POINTER;
    *keep = TRUE;
    return S_OK;
}

// The original bytes are all this picture can save, so they are always kept.
STDMETHODIMP CPictureDispEx::put_KeepOriginalFormat(BOOL) { return S_OK; }

STDMETHODIMP CPictureDispEx::PictureChanged() { return S_OK; }

STDMETHODIMP CPictureDispEx::SaveAsFile(IStream* stream, BOOL, LONG* size) {
    if (!stream) return E_POINTER;
    const Bytes& bytes = m_image->Original();
    ULONG written = 0;
    HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (size) *size = static_cast<LONG>(written);
    return FAILED(hr) ? hr : (written == bytes.size() ? S_OK : STG_E_MEDIUMFULL);
}

STDMETHODIMP CPictureDispEx::get_Attributes(DWORD* attributes) {
    if (!attributes) return E_POINTER;
    *attributes = PICTURE_SCALABLE;
    return S_OK;
}

namespace {

struct PictureProperty {
    const wchar_t* name;
    DISPID id;
};
constexpr PictureProperty kProperties[] = {
    {L"Handle", DISPID_PICT_HANDLE}, {L"hPal", DISPID_PICT_HPAL},     {L"Type", DISPID_PICT_TYPE},
    {L"Width", DISPID_PICT_WIDTH},   {L"Height", DISPID_PICT_HEIGHT},
};

}  // namespace

STDMETHODIMP CPictureDispEx::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CPictureDispEx::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP CPictureDispEx::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (const PictureProperty& p : kProperties)
            if (i == 0 && names[0] && lstrcmpiW(names[0], p.name) == 0) ids[0] = p.id;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP CPictureDispEx::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                    EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs) return DISP_E_BADPARAMCOUNT;
    if (!result) return S_OK;
    VariantInit(result);
    HRESULT hr = S_OK;
    switch (id) {
    case DISPID_PICT_HANDLE:
    case DISPID_PICT_HPAL: {
        OLE_HANDLE h = 0;
        hr = id == DISPID_PICT_HANDLE ? get_Handle(&h) : get_hPal(&h);
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(h);
        break;
    }
    case DISPID_PICT_TYPE:
        V_VT(result) = VT_I2;
        hr = get_Type(&V_I2(result));
        break;
    case DISPID_PICT_WIDTH:
        V_VT(result) = VT_I4;
        hr = get_Width(&V_I4(result));
        break;
    case DISPID_PICT_HEIGHT:
        V_VT(result) = VT_I4;
        hr = get_Height(&V_I4(result));
        break;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    return hr;
}

}  // namespace gdiplus
