#include "PictureLoader.h"
#include "pictures/Encode64.h"
#include "GdiplusPicture.h"
#include "PictureBytesCheck.h"
#include <olectl.h>

ComPtr<IPicture> LoadPicture(const Bytes& bytes) {
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF || DamagedPictureBytes(bytes)) return nullptr;
    ComPtr<IStream> stream = StreamOnBytes(bytes);
    if (!stream) return nullptr;
    ComPtr<IPictureDisp> disp;
    ComPtr<IPicture> picture;
    if (SUCCEEDED(OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPictureDisp,
                                 disp.PutVoid())) &&
        SUCCEEDED(disp.As(picture)))
        return picture;
    return gdiplus::CPictureDispEx::Load(bytes);
}

ComPtr<IPicture> LoadPictureFile(const std::string& path) {
    Bytes bytes;
    if (!ReadFileBytes(path, bytes)) return nullptr;
    return LoadPicture(bytes);
}

ComPtr<IPicture> LoadPictureText(std::string_view text) {
    Bytes bytes;
    if (!LZWCompression::Decode64(text, bytes)) return nullptr;
    return LoadPicture(bytes);
}

ComPtr<IPicture> PictureFromObject(IUnknown* object) {
    ComPtr<IPicture> picture;
    if (!object) return picture;
    if (SUCCEEDED(object->QueryInterface(IID_IPicture, picture.PutVoid()))) return picture;
    ComPtr<IPictureDisp> disp;
    if (SUCCEEDED(object->QueryInterface(IID_IPictureDisp, disp.PutVoid()))) disp.As(picture);
    return picture;
}
