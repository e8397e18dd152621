#pragma once
// What a recorded page carries, read back from its metafile records.
#include <windows.h>
#include <string>
#include <vector>

struct MetafileText {
    std::string text;
    POINT at{};      // reference point, logical units (screen pixels of the page)
    POINT device{};  // the same through the mapping then in force: reference-device pixels
};

// Every EMR_EXTTEXTOUTW/A record of the metafile, in drawing order.
std::vector<MetafileText> TextsOf(HENHMETAFILE metafile);
std::vector<LOGPEN> PensOf(HENHMETAFILE metafile);
std::vector<DWORD> RecordTypes(HENHMETAFILE metafile);
// The texts of a metafile file; empty when it cannot be read.
std::vector<std::string> FileTexts(const std::string& path);
