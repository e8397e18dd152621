#pragma once
// What a caption and its owner ask of the caption host without drawing:
// picture sizes, the anchor look and the visited-anchor set. The Windows
// IHTMLCaptionHost derives from it and adds pictures as automation values,
// icons and picture drawing.
#include <cstdint>
#include <string>
#include <string_view>

#include "HTMLGeometry.h"
#include "TextFontInfo.h"

class IHTMLCaptionHostBase {
public:
    // Natural size in pixels of the picture under key; (0, 0) when there is none.
    virtual HTMLSize GetPictureSize(std::string_view key) = 0;
    // Merges the normal or visited anchor look into font.
    virtual void ApplyAnchorStyle(TextFontInfo& font, std::string_view anchorId) = 0;
    // which: non-zero is the normal look, zero the visited one.
    virtual void SetAnchorStyle(std::string_view markup, int32_t which) = 0;
    virtual std::string GetAnchorStyle(int32_t which) = 0;
    virtual bool IsAnchorVisited(std::string_view anchorId) = 0;
    virtual void MarkAnchorVisited(std::string_view anchorId) = 0;
    virtual void UnmarkAnchorVisited(std::string_view anchorId) = 0;
    virtual void ClearVisitedAnchors() = 0;

protected:
    ~IHTMLCaptionHostBase() = default;
};
