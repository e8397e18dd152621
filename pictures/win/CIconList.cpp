#include "CIconList.h"
#include "pictures/Encode64.h"
#include "ImageListCheck.h"
#include "MemoryStream.h"
#include "PictureLoader.h"
#include "Gdi.h"
#include "IconStretch.h"
#include "Text.h"
#include "Variant.h"
#include <olectl.h>

namespace {

constexpr int kIconSize = 16;
constexpr UINT kListFlags = ILC_MASK | ILC_COLOR32;

// Destroys an icon handle at scope end.
class CIcon {
public:
    explicit CIcon(HICON icon) : m_icon(icon) {}
    ~CIcon() {
        if (m_icon) DestroyIcon(m_icon);
    }
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;
    HICON Get() const { return m_icon; }

private:
    HICON m_icon;
};

// The rest of the stream, from its current position, is a plausible image
// list; the position is left where it was.
bool PlausibleStream(IStream* stream) {
    LARGE_INTEGER zero = {};
    ULARGE_INTEGER start = {};
    STATSTG stat = {};
    if (FAILED(stream->Seek(zero, STREAM_SEEK_CUR, &start)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
        stat.cbSize.QuadPart < start.QuadPart || stat.cbSize.QuadPart - start.QuadPart > 0x7FFFFFFF)
        return false;
    Bytes rest;
    try {
        rest.resize(static_cast<size_t>(stat.cbSize.QuadPart - start.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    ULONG read = 0;
    HRESULT hr = rest.empty() ? S_OK : stream->Read(rest.data(), static_cast<ULONG>(rest.size()), &read);
    LARGE_INTEGER back;
    back.QuadPart = static_cast<LONGLONG>(start.QuadPart);
    stream->Seek(back, STREAM_SEEK_SET, nullptr);
    return SUCCEEDED(hr) && read == rest.size() && PlausibleImageList(rest.data(), rest.size());
}

// Sign-extends a 32-bit handle value, as USER and GDI handles are.
template <class H>
H HandleFromVariant(const VARIANT& value) {
    if (V_VT(&value) == VT_I8) return reinterpret_cast<H>(static_cast<LONG_PTR>(V_I8(&value)));
    if (V_VT(&value) == VT_UI8) return reinterpret_cast<H>(static_cast<ULONG_PTR>(V_UI8(&value)));
    return reinterpret_cast<H>(static_cast<LONG_PTR>(VariantToLong(value, 0)));
}

// A 32-bit top-down DIB section selected into a memory DC, filled with one colour.
struct IconCanvas {
    COwnedDC dc{CreateCompatibleDC(nullptr)};
    DWORD* bits = nullptr;
    Bitmap bitmap;
    explicit IconCanvas(COLORREF fill, int size) {
        bitmap.Reset(CreateDib32(size, size, reinterpret_cast<void**>(&bits)));
        if (!bitmap) return;
        SelectObject(dc, bitmap.Get());
        const DWORD value = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
        for (int i = 0; i < size * size; ++i) bits[i] = value;
    }
};

// Recording devices keep bitmaps, not icon drawing: the icon is rendered on black and on
// white, which gives its colours and coverage, and blended in as one premultiplied bitmap.
void DrawIconAsBitmap(HDC dc, int x, int y, HICON icon, int size) {
    IconCanvas black(RGB(0, 0, 0), size), white(RGB(255, 255, 255), size);
    if (!black.bits || !white.bits) return;
    DrawIconEx(black.dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    DrawIconEx(white.dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    for (int i = 0; i < size * size; ++i) {
        const DWORD b = black.bits[i], w = white.bits[i];
        int see = 0;  // how much of the background shows through, the largest over the channels
        for (int shift = 0; shift < 24; shift += 8) {
            const int through = static_cast<int>((w >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
            if (through > see) see = through;
        }
        black.bits[i] = (b & 0xFFFFFF) | (static_cast<DWORD>(255 - see) << 24);
    }
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, size, size, black.dc, 0, 0, size, size, blend);
}

}  // namespace

CIconList::CIconList() : m_libraries(std::make_unique<CLibraries>()) { Create(); }

CIconList::CIconList(HMODULE module, const std::vector<int>& iconIds) : CIconList() {
    for (int id : iconIds) {
        CIcon icon(static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, kIconSize, kIconSize, 0)));
        if (icon.Get()) AddIcon(icon.Get());
    }
}

CIconList::~CIconList() { Destroy(); }

void CIconList::Create() {
    if (m_list || !m_libraries->comctl.Create) return;
    m_list = m_libraries->comctl.Create(kIconSize, kIconSize, kListFlags, 0, 0);
    m_external = 0;
}

void CIconList::Destroy() {
    if (m_list && !m_external && m_libraries->comctl.Destroy) m_libraries->comctl.Destroy(m_list);
    m_list = nullptr;
    m_external = 0;
}

int CIconList::AddIcon(HICON icon) {
    if (!m_list || !icon) return -1;
    return m_libraries->comctl.AddIcon(m_list, icon);
}

bool CIconList::AddFromFile(const std::string& path) {
    const int before = Count();
    bool added = false;
    if (ComPtr<IPicture> picture = LoadPictureFile(path)) {
        SHORT type = 0;
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        OLE_HANDLE handle = 0;
        if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_ICON && SUCCEEDED(picture->get_Width(&width)) &&
            SUCCEEDED(picture->get_Height(&height)) && SUCCEEDED(picture->get_Handle(&handle))) {
            const SIZE pixels = HimetricToPixels(SIZEL{width, height});
            if (pixels.cx == kIconSize && pixels.cy == kIconSize)
                added = AddIcon(reinterpret_cast<HICON>(static_cast<LONG_PTR>(static_cast<LONG>(handle)))) >= 0;
        }
    }
    const CShellLib& shell = m_libraries->shell;
    if (!added && shell.ExtractIcons) {
        UINT icons = shell.ExtractIcons(path.c_str(), -1, nullptr, nullptr, 0);
        if (icons == UINT_MAX) icons = 0;  // the file could not be read
        for (UINT i = 0; i < icons; ++i) {
            HICON small = nullptr;
            if (!shell.ExtractIcons(path.c_str(), static_cast<int>(i), nullptr, &small, 1)) continue;
            CIcon icon(small);
            if (AddIcon(icon.Get()) >= 0) added = true;
        }
    }
    if (!added && shell.GetFileInfo) {
        SHFILEINFOA info = {};
        if (shell.GetFileInfo(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon) {
            CIcon icon(info.hIcon);
            added = AddIcon(icon.Get()) >= 0;
        }
    }
    if (Count() != before) Changed();
    return added;
}

int CIconList::ReplaceIcon(HICON icon, int index) {
    if (!m_list || !m_libraries->comctl.ReplaceIcon) return -1;
    return m_libraries->comctl.ReplaceIcon(m_list, index, icon);
}

void CIconList::Remove(int index) {
    if (!IsValidIndex(index) || !m_libraries->comctl.Remove) return;
    m_libraries->comctl.Remove(m_list, index);
    // Some image lists misbehave once emptied one by one; start again from a fresh one.
    if (Count() == 0 && !m_external) {
        Destroy();
        Create();
    }
    Changed();
}

int CIconList::Count() const {
    if (!m_list || !m_libraries->comctl.GetImageCount) return 0;
    return m_libraries->comctl.GetImageCount(m_list);
}

void CIconList::Draw(int index, HDC dc, const RECT& rect, bool enabled) const {
    CIcon icon(GetIcon(index));
    if (!icon.Get()) return;
    const int x = rect.left + (rect.right - rect.left - kIconSize) / 2;
    const int y = rect.top + (rect.bottom - rect.top - kIconSize) / 2;
    const COLORREF text = GetTextColor(dc);
    if (enabled && GetObjectType(dc) == OBJ_ENHMETADC)
        DrawIconAsBitmap(dc, x, y, icon.Get(), kIconSize);
    else if (enabled)
        DrawIconEx(dc, x, y, icon.Get(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    else
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, kIconSize, kIconSize,
                   DST_ICON | DSS_DISABLED);
    SetTextColor(dc, text);
}

void CIconList::DrawIcon(HDC dc, const RECT& rect, long number, bool enabled) const {
    if (number < 1) return;
    // A caption's icon cell larger than 16 x 16 (a screen above 96 DPI) is filled smoothly.
    const int side = rect.right - rect.left;
    if (side > kIconSize && side == rect.bottom - rect.top) {
        CIcon icon(GetIcon(static_cast<int>(number - 1)));
        if (icon.Get()) DrawIconStretched(dc, rect, icon.Get(), enabled);
        return;
    }
    Draw(static_cast<int>(number - 1), dc, rect, enabled);
}

void CIconList::Clear() {
    if (m_list && m_libraries->comctl.Remove) m_libraries->comctl.Remove(m_list, -1);
    Changed();
}

HIMAGELIST CIconList::ReadList(IStream* stream) const {
    if (!stream || !m_libraries->comctl.Read || !PlausibleStream(stream)) return nullptr;
    return m_libraries->comctl.Read(stream);
}

int CIconList::AppendFrom(HIMAGELIST list) {
    const CComCtl32Lib& comctl = m_libraries->comctl;
    if (!list || !comctl.GetImageCount || !comctl.GetIcon) return 0;
    int added = 0;
    const int count = comctl.GetImageCount(list);
    for (int i = 0; i < count; ++i) {
        CIcon icon(comctl.GetIcon(list, i, 0));
        if (icon.Get() && AddIcon(icon.Get()) >= 0) ++added;
    }
    return added;
}

bool CIconList::LoadFromStream(IStream* stream) {
    HIMAGELIST read = ReadList(stream);
    if (!read) return false;
    if (m_list && m_libraries->comctl.Remove) m_libraries->comctl.Remove(m_list, -1);
    AppendFrom(read);
    m_libraries->comctl.Destroy(read);
    Changed();
    return true;
}

bool CIconList::Write(IStream* stream) const {
    if (!m_list || !stream || !m_libraries->comctl.Write) return false;
    return m_libraries->comctl.Write(m_list, stream) != FALSE;
}

void CIconList::SetFromVariant(const VARIANT& given) {
    Variant value;
    if (FAILED(VariantCopyInd(value.Ptr(), const_cast<VARIANT*>(&given)))) value.Put();
    if (value.Type() == VT_BSTR) {
        BSTR text = V_BSTR(&value.Get());
        AddFromEncoded(ToAnsi(text, static_cast<int>(SysStringLen(text))));
        return;
    }
    CopyFrom(HandleFromVariant<HIMAGELIST>(value.Get()));
}

void CIconList::CopyFrom(HIMAGELIST list) {
    // Null empties the list; anything else must answer as an image list, or nothing changes.
    int cx = 0, cy = 0;
    if (list && (!m_libraries->comctl.GetIconSize || !m_libraries->comctl.GetIconSize(list, &cx, &cy))) return;
    const int before = Count();
    if (m_list && m_libraries->comctl.Remove) m_libraries->comctl.Remove(m_list, -1);
    if (list && list != m_list) AppendFrom(list);
    if (Count() != before) Changed();
}

void CIconList::Attach(HIMAGELIST list) {
    if (m_external) return;
    Destroy();
    m_list = list;
    m_external = 1;
}

HICON CIconList::GetIcon(int index) const {
    if (!IsValidIndex(index) || !m_libraries->comctl.GetIcon) return nullptr;
    return m_libraries->comctl.GetIcon(m_list, index, 0);
}

std::string CIconList::Encode() const {
    if (Count() == 0) return {};
    ComPtr<IStream> stream = NewMemoryStream();
    Bytes bytes;
    if (!stream || !Write(stream.Get()) || !StreamContents(stream.Get(), bytes)) return {};
    return LZWCompression::Encode64(bytes.data(), bytes.size());
}

void CIconList::AddFromEncoded(std::string_view text) {
    Bytes bytes;
    if (!LZWCompression::Decode64(text, bytes) || bytes.empty()) return;
    ComPtr<IStream> stream = StreamOnBytes(bytes);
    HIMAGELIST read = ReadList(stream.Get());
    if (!read) return;
    const int added = AppendFrom(read);
    m_libraries->comctl.Destroy(read);
    if (added) Changed();
}

bool CIconList::IsValidIndex(int index) const { return index >= 0 && index < Count(); }

HIMAGELIST CIconList::Handle() const { return m_list; }

void CIconList::SetChangeCallback(ChangeCallback callback, void* context) {
    m_callback = callback;
    m_context = context;
}

void CIconList::Changed() {
    if (m_callback) m_callback(m_context);
}
