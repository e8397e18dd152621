#pragma once
// The control's caption host: it is the control's image list (icons by
// number, counted from 1) and keeps the named pictures, the anchor looks and
// the visited anchors. Captions ask the host, never its stores.
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <vector>
#include "CHTMLPictureMap.h"
#include "CIconList.h"
#include "IHTMLCaptionHost.h"
#include "html/CHTMLAnchorLooks.h"

class CHostHTMLIcons : public CIconList, public IHTMLCaptionHost {
public:
    // An empty list; or one filled with the icon resources `iconIds` of `module`.
    CHostHTMLIcons() = default;
    CHostHTMLIcons(HMODULE module, const std::vector<int>& iconIds) : CIconList(module, iconIds) {}
    CHostHTMLIcons(const CHostHTMLIcons&) = delete;
    CHostHTMLIcons& operator=(const CHostHTMLIcons&) = delete;
    ~CHostHTMLIcons() override = default;

    CHTMLPictureMap& Pictures() { return m_pictures; }

    HRESULT GetPictures(VARIANT* pictures) override { return m_pictures.GetPictures(pictures); }
    HRESULT SetPictures(const VARIANT& pictures) override;
    HRESULT AddPicture(std::string_view key, const VARIANT& value) override;
    void DrawStoredPicture(HDC dc, const RECT& rect, std::string_view key) override {
        m_pictures.DrawPicture(std::string(key), dc, rect);
    }
    SIZE StoredPictureSize(std::string_view key) override { return m_pictures.GetPictureSize(std::string(key)); }
    bool FirstPicture(std::string& key, IPicture** picture) override;
    bool NextPicture(std::string& key, IPicture** picture) override;
    // Icon n is list index n - 1, 16 x 16; greyed when disabled.
    void DrawIcon(HDC dc, const RECT& rect, int32_t iconNumber, bool enabled) override {
        CIconList::DrawIcon(dc, rect, iconNumber, enabled);
    }
    HTMLSize GetPictureSize(std::string_view key) override;
    void DrawPicture(HDC dc, const RECT& rect, std::string_view key, bool) override {
        DrawStoredPicture(dc, rect, key);
    }
    void ApplyAnchorStyle(TextFontInfo& font, std::string_view anchorId) override {
        m_looks.ApplyAnchorStyle(font, anchorId);
    }
    void SetAnchorStyle(std::string_view markup, int32_t which) override { m_looks.SetAnchorStyle(markup, which); }
    std::string GetAnchorStyle(int32_t which) override { return m_looks.GetAnchorStyle(which); }
    bool IsAnchorVisited(std::string_view anchorId) override { return m_looks.IsAnchorVisited(anchorId); }
    void MarkAnchorVisited(std::string_view anchorId) override { m_looks.MarkAnchorVisited(anchorId); }
    void UnmarkAnchorVisited(std::string_view anchorId) override { m_looks.UnmarkAnchorVisited(anchorId); }
    void ClearVisitedAnchors() override { m_looks.ClearVisitedAnchors(); }

private:
    CHTMLPictureMap m_pictures;
    CHTMLAnchorLooks m_looks;
};
