#include "CHTMLFontCache.h"

#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "ComPtr.h"
#include "Text.h"

namespace {

int ScreenPixelsPerInchY() {
    CWindowDC screen;
    return screen.Get() ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
}

ComPtr<IFont> CreateOleFont(const TextFontFace& face) {
    std::wstring name = ToWide(face.Name);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof(FONTDESC);
    desc.lpstrName = name.data();
    desc.cySize.int64 = face.SizeCy;
    desc.sWeight = face.Weight;
    desc.sCharset = face.Charset;
    desc.fItalic = face.Italic;
    desc.fUnderline = face.Underline;
    desc.fStrikethrough = face.Strikethrough;
    ComPtr<IFont> font;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IFont, font.PutVoid()))) font.Reset();
    return font;
}

}  // namespace

CHTMLFontCache::CHTMLFontCache(HDC dc) : m_baseFont(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT))) {}

HFONT CHTMLFontCache::FaceFont(const TextFontFace& face) {
    if (!face.OleFont) {
        ComPtr<IFont> font = CreateOleFont(face);
        if (!font) return nullptr;
        face.OleFont = std::shared_ptr<void>(font.Detach(), [](void* p) { static_cast<IFont*>(p)->Release(); });
    }
    HFONT handle = nullptr;
    if (FAILED(static_cast<IFont*>(face.OleFont.get())->get_hFont(&handle))) return nullptr;
    return handle;
}

Font CHTMLFontCache::CreateTextFont(const TextFontInfo& info, HFONT base) {
    LOGFONTA lf{};
    if (!base || GetObjectA(base, sizeof lf, &lf) == 0) GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
    if (info.Bold) lf.lfWeight = FW_BOLD;
    lf.lfItalic = info.Italic ? TRUE : FALSE;
    lf.lfUnderline = info.Underline ? TRUE : FALSE;
    lf.lfStrikeOut = info.Strikeout ? TRUE : FALSE;
    if (info.Rotated) lf.lfEscapement = lf.lfOrientation = 900;
    if (info.Size != 0) {
        lf.lfHeight = -MulDiv(info.Size, ScreenPixelsPerInchY(), 72);
    }
    return Font(CreateFontIndirectA(&lf));
}

HFONT CHTMLFontCache::Get(const TextFontInfo& info) {
    const bool anyFlag = info.Bold || info.Italic || info.Underline || info.Strikeout || info.Rotated;
    // Colours alone leave the font as it is.
    if (!anyFlag && info.Size == 0 && !info.Face) return nullptr;
    const Key key{info.Bold != 0, info.Italic != 0, info.Underline != 0, info.Strikeout != 0,
                  info.Rotated != 0, info.Size, info.Face.get()};
    auto it = m_fonts.find(key);
    if (it == m_fonts.end()) {
        HFONT base = info.Face ? FaceFont(*info.Face) : nullptr;
        it = m_fonts.emplace(key, CreateTextFont(info, base ? base : m_baseFont)).first;
    }
    return it->second.Get();
}
