#pragma once
// The control's caption host: icons by number, named pictures, the anchor
// looks and the visited anchors. Captions ask it, never its stores.
#include <windows.h>
#include <ocidl.h>

#include <map>
#include <string>

#include "ComPtr.h"
#include "IHTMLCaptionHost.h"
#include "html/CHTMLAnchorLooks.h"

class CHostHTMLIcons : public IHTMLCaptionHost {
public:
    CHostHTMLIcons() = default;
    CHostHTMLIcons(const CHostHTMLIcons&) = delete;
    CHostHTMLIcons& operator=(const CHostHTMLIcons&) = delete;
    virtual ~CHostHTMLIcons() = default;

    HRESULT GetPictures(VARIANT* pictures) override;
    HRESULT SetPictures(const VARIANT& pictures) override;
    HRESULT AddPicture(std::string_view key, const VARIANT& value) override;
    void DrawStoredPicture(HDC dc, const RECT& rect, std::string_view key) override;
    SIZE StoredPictureSize(std::string_view key) override;
    bool FirstPicture(std::string& key, IPicture** picture) override;
    bool NextPicture(std::string& key, IPicture** picture) override;

    // Icon n is list index n - 1, 16 x 16; greyed by DrawStateA when disabled.
    void DrawIcon(HDC dc, const RECT& rect, int32_t iconNumber, bool enabled) override;
    HTMLSize GetPictureSize(std::string_view key) override;
    void DrawPicture(HDC dc, const RECT& rect, std::string_view key, bool enabled) override;

    void ApplyAnchorStyle(TextFontInfo& font, std::string_view anchorId) override {
        m_looks.ApplyAnchorStyle(font, anchorId);
    }
    void SetAnchorStyle(std::string_view markup, int32_t which) override { m_looks.SetAnchorStyle(markup, which); }
    std::string GetAnchorStyle(int32_t which) override { return m_looks.GetAnchorStyle(which); }
    bool IsAnchorVisited(std::string_view anchorId) override { return m_looks.IsAnchorVisited(anchorId); }
    void MarkAnchorVisited(std::string_view anchorId) override { m_looks.MarkAnchorVisited(anchorId); }
    void UnmarkAnchorVisited(std::string_view anchorId) override { m_looks.UnmarkAnchorVisited(anchorId); }
    void ClearVisitedAnchors() override { m_looks.ClearVisitedAnchors(); }

protected:
    // A copy of the list's icon at index (0-based) that the caller destroys,
    // or null. The list starts empty; the image list fills it.
    virtual HICON IconAt(int32_t index) const;

private:
    using PictureMap = std::map<std::string, ComPtr<IPicture>, std::less<>>;
    bool Entry(PictureMap::const_iterator it, std::string& key, IPicture** picture);

    PictureMap m_pictures;
    std::string m_lastKey;  // where the picture iteration stands
    CHTMLAnchorLooks m_looks;
};
