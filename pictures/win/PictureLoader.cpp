#include "PictureLoader.h"
#include "pictures/Encode64.h"
#include "GdiplusPicture.h"
#include <olectl.h>
#include <cstdint>

namespace {

uint32_t Read32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// A bitmap file whose pixels end past the bytes at hand. OLE would show it
// with the missing rows made up; it is no picture.
bool TruncatedBitmap(const Bytes& b) {
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') return false;
    if (b.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return true;
    const uint64_t declared = Read32(b, 2), offset = Read32(b, 10);
    const int32_t width = static_cast<int32_t>(Read32(b, 18)), height = static_cast<int32_t>(Read32(b, 22));
    const uint32_t bits = b[28] | (b[29] << 8), compression = Read32(b, 30);
    if (declared > b.size()) return true;
    if (compression != BI_RGB || width <= 0 || height == 0) return false;
    const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    return offset + stride * static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height) > b.size();
}

}  // namespace

ComPtr<IPicture> LoadPicture(const Bytes& bytes) {
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF || TruncatedBitmap(bytes)) return nullptr;
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
