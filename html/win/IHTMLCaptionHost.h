#pragma once
// The caption host on Windows: the platform-free part (picture sizes, anchor
// looks, visited set) plus the named pictures as automation values and the
// drawing of icons and pictures. Captions hold it as IHTMLCaptionHostBase.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <string_view>

#include "html/IHTMLCaptionHostBase.h"

class IHTMLCaptionHost : public IHTMLCaptionHostBase {
public:
    // All pictures as a 2 x n SAFEARRAY of VARIANT: row 0 keys, row 1 pictures.
    virtual HRESULT GetPictures(VARIANT* pictures) = 0;
    // Replaces every picture from such an array.
    virtual HRESULT SetPictures(const VARIANT& pictures) = 0;
    // Adds or replaces the picture under key; a value that gives no picture removes it.
    virtual HRESULT AddPicture(std::string_view key, const VARIANT& value) = 0;
    // The stored picture of key stretched into rect; nothing when there is none.
    virtual void DrawStoredPicture(HDC dc, const RECT& rect, std::string_view key) = 0;
    // Pixel size of the stored picture of key; (0, 0) when there is none.
    virtual SIZE StoredPictureSize(std::string_view key) = 0;
    // Iteration over the pictures in key order: false when there are no more.
    virtual bool FirstPicture(std::string& key, IPicture** picture) = 0;
    virtual bool NextPicture(std::string& key, IPicture** picture) = 0;

    // Icon number n (counted from 1) into rect, greyed when not enabled.
    virtual void DrawIcon(HDC dc, const RECT& rect, int32_t iconNumber, bool enabled) = 0;
    virtual void DrawPicture(HDC dc, const RECT& rect, std::string_view key, bool enabled) = 0;

protected:
    ~IHTMLCaptionHost() = default;
};
