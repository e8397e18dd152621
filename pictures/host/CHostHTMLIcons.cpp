#include "CHostHTMLIcons.h"

HRESULT CHostHTMLIcons::SetPictures(const VARIANT& pictures) {
    m_pictures.SetPictures(pictures);
    return S_OK;
}

HRESULT CHostHTMLIcons::AddPicture(std::string_view key, const VARIANT& value) {
    m_pictures.AddPicture(std::string(key), value);
    return S_OK;
}

namespace {

bool Hand(bool found, const CHTMLPicture* entry, IPicture** picture) {
    if (picture) {
        *picture = found && entry ? entry->Picture() : nullptr;
        if (*picture) (*picture)->AddRef();
    }
    return found;
}

}  // namespace

bool CHostHTMLIcons::FirstPicture(std::string& key, IPicture** picture) {
    m_pictures.FirstPicture();
    return NextPicture(key, picture);
}

bool CHostHTMLIcons::NextPicture(std::string& key, IPicture** picture) {
    const CHTMLPicture* entry = nullptr;
    bool found = m_pictures.NextPicture(key, entry);
    return Hand(found, entry, picture);
}

HTMLSize CHostHTMLIcons::GetPictureSize(std::string_view key) {
    const SIZE size = StoredPictureSize(key);
    return {size.cx, size.cy};
}
