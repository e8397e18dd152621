#include "MetafileText.h"
#include <functional>

namespace {

void EachRecord(HENHMETAFILE metafile, const std::function<void(const ENHMETARECORD&)>& each) {
    EnumEnhMetaFile(
        nullptr, metafile,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) WINAPI -> int {
            (*reinterpret_cast<const std::function<void(const ENHMETARECORD&)>*>(param))(*record);
            return 1;
        },
        const_cast<std::function<void(const ENHMETARECORD&)>*>(&each), nullptr);
}

}  // namespace

std::vector<MetafileText> TextsOf(HENHMETAFILE metafile) {
    std::vector<MetafileText> texts;
    struct Mapping {
        POINT windowOrg{}, viewportOrg{};
        SIZE window{1, 1}, viewport{1, 1};
    };
    std::vector<Mapping> saved(1);  // the one in force last
    EachRecord(metafile, [&](const ENHMETARECORD& record) {
        Mapping& m = saved.back();
        const auto& ext = reinterpret_cast<const EMRSETVIEWPORTEXTEX&>(record).szlExtent;
        const auto& org = reinterpret_cast<const EMRSETVIEWPORTORGEX&>(record).ptlOrigin;
        switch (record.iType) {
        case EMR_SETWINDOWEXTEX: m.window = {ext.cx, ext.cy}; return;
        case EMR_SETVIEWPORTEXTEX: m.viewport = {ext.cx, ext.cy}; return;
        case EMR_SETWINDOWORGEX: m.windowOrg = {org.x, org.y}; return;
        case EMR_SETVIEWPORTORGEX: m.viewportOrg = {org.x, org.y}; return;
        case EMR_SAVEDC: saved.push_back(m); return;
        case EMR_RESTOREDC:
            for (LONG i = reinterpret_cast<const EMRRESTOREDC&>(record).iRelative; i < 0 && saved.size() > 1; ++i)
                saved.pop_back();
            return;
        }
        if (record.iType != EMR_EXTTEXTOUTW && record.iType != EMR_EXTTEXTOUTA) return;
        const auto& out = reinterpret_cast<const EMREXTTEXTOUTW&>(record);
        const auto* string = reinterpret_cast<const BYTE*>(&record) + out.emrtext.offString;
        MetafileText t;
        t.at = POINT{out.emrtext.ptlReference.x, out.emrtext.ptlReference.y};
        if (m.window.cx && m.window.cy)
            t.device = {MulDiv(t.at.x - m.windowOrg.x, m.viewport.cx, m.window.cx) + m.viewportOrg.x,
                        MulDiv(t.at.y - m.windowOrg.y, m.viewport.cy, m.window.cy) + m.viewportOrg.y};
        for (DWORD i = 0; i < out.emrtext.nChars; ++i)
            t.text += record.iType == EMR_EXTTEXTOUTW ? static_cast<char>(reinterpret_cast<const wchar_t*>(string)[i])
                                                      : reinterpret_cast<const char*>(string)[i];
        texts.push_back(t);
    });
    return texts;
}

std::vector<LOGPEN> PensOf(HENHMETAFILE metafile) {
    std::vector<LOGPEN> pens;
    EachRecord(metafile, [&](const ENHMETARECORD& record) {
        if (record.iType == EMR_CREATEPEN) pens.push_back(reinterpret_cast<const EMRCREATEPEN&>(record).lopn);
    });
    return pens;
}

std::vector<DWORD> RecordTypes(HENHMETAFILE metafile) {
    std::vector<DWORD> types;
    EachRecord(metafile, [&](const ENHMETARECORD& record) { types.push_back(record.iType); });
    return types;
}

std::vector<std::string> FileTexts(const std::string& path) {
    std::vector<std::string> texts;
    if (HENHMETAFILE emf = GetEnhMetaFileA(path.c_str())) {
        for (const MetafileText& t : TextsOf(emf)) texts.push_back(t.text);
        DeleteEnhMetaFile(emf);
    }
    return texts;
}
