#include "MetafileText.h"

namespace {

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) {
    auto* texts = reinterpret_cast<std::vector<MetafileText>*>(param);
    if (record->iType != EMR_EXTTEXTOUTW && record->iType != EMR_EXTTEXTOUTA) return 1;
    const auto* out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
    const auto* base = reinterpret_cast<const BYTE*>(record);
    MetafileText t;
    t.at = POINT{out->emrtext.ptlReference.x, out->emrtext.ptlReference.y};
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* chars = reinterpret_cast<const wchar_t*>(base + out->emrtext.offString);
        for (DWORD i = 0; i < out->emrtext.nChars; ++i) t.text += static_cast<char>(chars[i]);
    } else {
        t.text.assign(reinterpret_cast<const char*>(base + out->emrtext.offString), out->emrtext.nChars);
    }
    texts->push_back(t);
    return 1;
}

int CALLBACK CollectPen(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) {
    if (record->iType == EMR_CREATEPEN)
        reinterpret_cast<std::vector<LOGPEN>*>(param)->push_back(reinterpret_cast<const EMRCREATEPEN*>(record)->lopn);
    return 1;
}

}  // namespace

std::vector<MetafileText> TextsOf(HENHMETAFILE metafile) {
    std::vector<MetafileText> texts;
    EnumEnhMetaFile(nullptr, metafile, CollectText, &texts, nullptr);
    return texts;
}

std::vector<LOGPEN> PensOf(HENHMETAFILE metafile) {
    std::vector<LOGPEN> pens;
    EnumEnhMetaFile(nullptr, metafile, CollectPen, &pens, nullptr);
    return pens;
}

std::vector<DWORD> RecordTypes(HENHMETAFILE metafile) {
    std::vector<DWORD> types;
    EnumEnhMetaFile(
        nullptr, metafile,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) WINAPI -> int {
            reinterpret_cast<std::vector<DWORD>*>(param)->push_back(record->iType);
            return 1;
        },
        &types, nullptr);
    return types;
}

int BitmapCopies(HENHMETAFILE metafile) {
    int count = 0;
    EnumEnhMetaFile(
        nullptr, metafile,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) WINAPI -> int {
            if (record->iType == EMR_BITBLT && reinterpret_cast<const EMRBITBLT*>(record)->cbBitsSrc > 0)
                ++*reinterpret_cast<int*>(param);
            return 1;
        },
        &count, nullptr);
    return count;
}

std::vector<std::string> FileTexts(const std::string& path) {
    std::vector<std::string> texts;
    if (HENHMETAFILE emf = GetEnhMetaFileA(path.c_str())) {
        for (const MetafileText& t : TextsOf(emf)) texts.push_back(t.text);
        DeleteEnhMetaFile(emf);
    }
    return texts;
}
