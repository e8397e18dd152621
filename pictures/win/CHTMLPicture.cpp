#include "CHTMLPicture.h"
#include "Gdi.h"

SIZE CHTMLPicture::GetSize() const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!m_picture || FAILED(m_picture->get_Width(&width)) || FAILED(m_picture->get_Height(&height)))
        return SIZE{0, 0};
    return HimetricToPixels(SIZEL{width, height});
}

void CHTMLPicture::Draw(HDC dc, const RECT& rect) const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!m_picture || FAILED(m_picture->get_Width(&width)) || FAILED(m_picture->get_Height(&height))) return;
    m_picture->Render(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, height, width,
                      -height, nullptr);
}
