#pragma once
// Encode64 text of pictures, files and icon files: what Encode64 and
// Encode64Icons answer.
#include <windows.h>
#include <ocidl.h>
#include <string>

// The picture's saved bytes as text; empty when it cannot be saved.
std::string EncodePicture(IPicture* picture);
// The file's whole contents as text; false when it cannot be opened.
bool EncodeFile(const std::string& path, std::string& text);
// An object is encoded as a picture (false when it is none); any other value is
// a file path. Throws std::bad_alloc when memory runs out.
bool EncodeValue(const VARIANT& value, std::string& text);
// A picture object as EncodeValue; otherwise a list of files separated by ","
// (blanks around names ignored) whose icons are collected into one image list.
bool EncodeIconsValue(const VARIANT& value, std::string& text);
