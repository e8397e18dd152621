#pragma once
// Pictures that OLE cannot read (PNG, TIFF, ...), decoded and drawn by GDI+.
// GDIPLUS.DLL is loaded with LoadLibraryA and started on first use; it stays
// up while any image made by it lives.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include "ComObject.h"
#include "ComPtr.h"
#include "MemoryStream.h"
#include <memory>

namespace gdiplus {

class CGdiplus;

// One decoded image, with the bytes it came from (they are what SaveAsFile writes).
class CImage {
public:
    // Null when GDI+ is missing or cannot decode the bytes.
    static std::unique_ptr<CImage> Load(const Bytes& bytes);
    ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    UINT Width() const { return m_width; }
    UINT Height() const { return m_height; }
    const Bytes& Original() const { return m_bytes; }
    // Source rectangle in image pixels, stretched into the destination rectangle.
    bool Draw(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY, int srcCx, int srcCy) const;
    // A device-dependent copy for IPicture's Handle; the caller owns it.
    HBITMAP MakeBitmap() const;

private:
    CImage() = default;
    std::shared_ptr<CGdiplus> m_lib;
    struct GpImage* m_image = nullptr;
    ComPtr<IStream> m_stream;  // GDI+ may read from it for the image's whole life
    Bytes m_bytes;
    UINT m_width = 0, m_height = 0;
};

// IPicture and IPictureDisp over a CImage.
class CPictureDispEx : public ComObject<IPicture, IPictureDisp> {
    DECLARE_QI_TABLE(CPictureDispEx)
    // Null when the bytes are not an image GDI+ can read.
    static ComPtr<IPicture> Load(const Bytes& bytes);

    // IPicture
    STDMETHODIMP get_Handle(OLE_HANDLE* handle) override;
    STDMETHODIMP get_hPal(OLE_HANDLE* palette) override;
    STDMETHODIMP get_Type(SHORT* type) override;
    STDMETHODIMP get_Width(OLE_XSIZE_HIMETRIC* width) override;
    STDMETHODIMP get_Height(OLE_YSIZE_HIMETRIC* height) override;
    STDMETHODIMP Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                        OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT bounds) override;
    STDMETHODIMP set_hPal(OLE_HANDLE palette) override;
    STDMETHODIMP get_CurDC(HDC* dc) override;
    STDMETHODIMP SelectPicture(HDC dcIn, HDC* dcOut, OLE_HANDLE* bitmapOut) override;
    STDMETHODIMP get_KeepOriginalFormat(BOOL* keep) override;
    STDMETHODIMP put_KeepOriginalFormat(BOOL keep) override;
    STDMETHODIMP PictureChanged() override;
    STDMETHODIMP SaveAsFile(IStream* stream, BOOL saveMemCopy, LONG* size) override;
    STDMETHODIMP get_Attributes(DWORD* attributes) override;

    // IDispatch of IPictureDisp: the read-only properties Handle, hPal, Type, Width and Height.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override;

private:
    explicit CPictureDispEx(std::unique_ptr<CImage> image);
    ~CPictureDispEx() override;
    SIZE HimetricSize() const;

    std::unique_ptr<CImage> m_image;
    HBITMAP m_bitmap = nullptr;  // made on the first Handle request
};

}  // namespace gdiplus
