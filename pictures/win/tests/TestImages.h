#pragma once
// Pictures, icons and files made at test time; DibCanvas to draw into.
#include <windows.h>
#include "DibCanvas.h"
#include "Gdi.h"
#include "MemoryStream.h"
#include <memory>
#include <string>

// Four quadrants: top-left red, top-right green, bottom-left blue, bottom-right yellow.
constexpr COLORREF kTopLeft = RGB(255, 0, 0), kTopRight = RGB(0, 255, 0), kBottomLeft = RGB(0, 0, 255),
                   kBottomRight = RGB(255, 255, 0), kWhite = RGB(255, 255, 255);

Bytes MakeBmp(int width, int height);
Bytes MakeTiff(int width, int height);  // uncompressed RGB strip
// A single-image 32-bit .ico filled with one colour.
Bytes MakeIco(int size, COLORREF colour);

// A file in the temporary folder, removed at scope end.
class CTempFile {
public:
    CTempFile(const std::string& name, const Bytes& contents);
    ~CTempFile();
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// An icon of size x size filled with one colour, destroyed at scope end.
using TestIcon = std::unique_ptr<HICON__, decltype(&DestroyIcon)>;
TestIcon MakeIcon(int size, COLORREF colour);
