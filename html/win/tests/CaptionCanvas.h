#pragma once
// A canvas and a host for drawing captions and reading their pixels back.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "DibCanvas.h"
#include "html/CHTMLAnchorLooks.h"
#include "Gdi.h"
#include "IHTMLCaptionHost.h"

// The shared canvas with a crisp font selected: every inked pixel of a glyph
// has the text colour exactly.
class CaptionCanvas : public DibCanvas {
public:
    CaptionCanvas(int width, int height, COLORREF paper = RGB(255, 255, 255)) : DibCanvas(width, height, paper) {
        m_font.Reset(CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma"));
        m_old = SelectObject(Dc(), m_font.Get());
        SetTextColor(Dc(), RGB(0, 0, 0));
    }
    ~CaptionCanvas() { SelectObject(Dc(), m_old); }

private:
    Font m_font;
    HGDIOBJ m_old = nullptr;
};

// A caption host whose icons are solid 16 x 16 blocks and whose pictures are
// filled rectangles, so what the caption asks it to draw shows in pixels.
class BlockHost : public IHTMLCaptionHost {
public:
    static constexpr COLORREF IconColour = RGB(255, 0, 0);
    static constexpr COLORREF PictureColour = RGB(0, 160, 0);

    struct IconCall {
        RECT Rect;
        int32_t Number;
        bool Enabled;
    };

    HTMLSize GetPictureSize(std::string_view key) override {
        const auto it = Pictures.find(std::string(key));
        return it == Pictures.end() ? HTMLSize{} : it->second;
    }
    void ApplyAnchorStyle(TextFontInfo& font, std::string_view id) override { Looks.ApplyAnchorStyle(font, id); }
    void SetAnchorStyle(std::string_view markup, int32_t which) override { Looks.SetAnchorStyle(markup, which); }
    std::string GetAnchorStyle(int32_t which) override { return Looks.GetAnchorStyle(which); }
    bool IsAnchorVisited(std::string_view id) override { return Looks.IsAnchorVisited(id); }
    void MarkAnchorVisited(std::string_view id) override { Looks.MarkAnchorVisited(id); }
    void UnmarkAnchorVisited(std::string_view id) override { Looks.UnmarkAnchorVisited(id); }
    void ClearVisitedAnchors() override { Looks.ClearVisitedAnchors(); }

    HRESULT GetPictures(VARIANT*) override { return E_NOTIMPL; }
    HRESULT SetPictures(const VARIANT&) override { return E_NOTIMPL; }
    HRESULT AddPicture(std::string_view, const VARIANT&) override { return E_NOTIMPL; }
    void DrawStoredPicture(HDC, const RECT&, std::string_view) override {}
    SIZE StoredPictureSize(std::string_view) override { return {0, 0}; }
    bool FirstPicture(std::string&, IPicture**) override { return false; }
    bool NextPicture(std::string&, IPicture**) override { return false; }

    void DrawIcon(HDC dc, const RECT& rect, int32_t number, bool enabled) override {
        Icons.push_back({rect, number, enabled});
        Fill(dc, rect, IconColour);
    }
    void DrawPicture(HDC dc, const RECT& rect, std::string_view key, bool) override {
        PictureRects.push_back(rect);
        Fill(dc, rect, PictureColour);
    }

    CHTMLAnchorLooks Looks;
    std::map<std::string, HTMLSize> Pictures;
    std::vector<IconCall> Icons;
    std::vector<RECT> PictureRects;

private:
    static void Fill(HDC dc, RECT rect, COLORREF colour) {
        Brush brush(CreateSolidBrush(colour));
        FillRect(dc, &rect, brush.Get());
    }
};
