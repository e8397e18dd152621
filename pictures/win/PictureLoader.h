#pragma once
// Pictures from bytes: OLE picture loading first, GDI+ for what OLE cannot read.
#include <windows.h>
#include <ocidl.h>
#include "ComPtr.h"
#include "MemoryStream.h"
#include <string>
#include <string_view>

// Null when neither loader can read the bytes.
ComPtr<IPicture> LoadPicture(const Bytes& bytes);
// The whole file loaded as a picture; null when it cannot be read or is no picture.
ComPtr<IPicture> LoadPictureFile(const std::string& path);
// An Encode64 text loaded as a picture; null when it does not decode to one.
ComPtr<IPicture> LoadPictureText(std::string_view text);
// The IPicture behind an object (directly or through IPictureDisp); null when it is none.
ComPtr<IPicture> PictureFromObject(IUnknown* object);
