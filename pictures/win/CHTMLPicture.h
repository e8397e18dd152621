#pragma once
// One named picture of the captions: a shared reference to an IPicture.
#include <windows.h>
#include <ocidl.h>
#include "ComPtr.h"

class CHTMLPicture {
public:
    CHTMLPicture() = default;
    explicit CHTMLPicture(ComPtr<IPicture> picture) : m_picture(std::move(picture)) {}
    virtual ~CHTMLPicture() = default;

    // Natural size in screen pixels; (0, 0) when there is no picture.
    virtual SIZE GetSize() const;
    // The whole picture stretched into the rectangle.
    virtual void Draw(HDC dc, const RECT& rect) const;

    IPicture* Picture() const { return m_picture.Get(); }

private:
    ComPtr<IPicture> m_picture;
};
