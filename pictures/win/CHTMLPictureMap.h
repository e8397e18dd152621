#pragma once
// The named pictures of the captions: key (ANSI bytes, compared byte by byte,
// so case-sensitive) to picture, in key order.
#include <windows.h>
#include <oaidl.h>
#include "CHTMLPicture.h"
#include <map>
#include <string>

class CHTMLPictureMap {
public:
    // A two-dimensional array of 2 rows and one column per picture, in key order:
    // row 0 the key, row 1 the picture as IPictureDisp (empty when it is not one).
    HRESULT GetPictures(VARIANT* out) const;
    // Clears the map, then adds every column of such an array.
    void SetPictures(const VARIANT& value);
    // An empty key clears the map. A string is a file name or else an Encode64
    // text; an object must be a picture. A value that gives no picture removes the key.
    void AddPicture(const std::string& key, const VARIANT& value);
    // Nothing when the key is not in the map.
    void DrawPicture(const std::string& key, HDC dc, const RECT& rect) const;
    // (0, 0) when the key is not in the map.
    SIZE GetPictureSize(const std::string& key) const;

    // Iteration in key order: FirstPicture, then NextPicture until it answers false.
    void FirstPicture();
    bool NextPicture(std::string& key, const CHTMLPicture*& picture);

    // The stored picture; null when the key is not in the map.
    IPicture* Find(const std::string& key) const;
    size_t Count() const { return m_pictures.size(); }
    void Clear();

private:
    using Map = std::map<std::string, CHTMLPicture>;
    Map m_pictures;
    Map::const_iterator m_next = m_pictures.end();
};
