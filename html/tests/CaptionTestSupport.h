#pragma once
// A fixed-width measure and an in-memory caption host for the tests.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "html/CHTMLCaption.h"
#include "html/IHTMLCaptionHostBase.h"
#include "html/IHTMLTextMeasure.h"

// Every byte is CharWidth pixels wide, bold ones one pixel more.
class FixedMeasure : public IHTMLTextMeasure {
public:
    explicit FixedMeasure(int32_t charWidth = 10, int32_t lineHeight = 16)
        : CharWidth(charWidth), Height(lineHeight) {}
    int32_t TextWidth(const CHTMLCaption::CHTMLElement& run, std::string_view text) const override {
        return static_cast<int32_t>(text.size()) * (CharWidth + (run.Bold ? 1 : 0));
    }
    int32_t LineHeight() const override { return Height; }

    int32_t CharWidth;
    int32_t Height;
};

class FakeHost : public IHTMLCaptionHostBase {
public:
    HTMLSize GetPictureSize(std::string_view key) override {
        Asked.emplace_back(key);
        auto it = Pictures.find(std::string(key));
        return it == Pictures.end() ? HTMLSize{} : it->second;
    }
    void ApplyAnchorStyle(TextFontInfo& font, std::string_view id) override {
        font.Underline = 1;
        if (!font.TextColor) font.TextColor = Visited.count(std::string(id)) ? 0x800000u : 0xFF0000u;
    }
    void SetAnchorStyle(std::string_view, int32_t) override {}
    std::string GetAnchorStyle(int32_t) override { return {}; }
    bool IsAnchorVisited(std::string_view id) override { return Visited.count(std::string(id)) != 0; }
    void MarkAnchorVisited(std::string_view id) override { Visited.emplace(id); }
    void UnmarkAnchorVisited(std::string_view id) override { Visited.erase(std::string(id)); }
    void ClearVisitedAnchors() override { Visited.clear(); }

    std::map<std::string, HTMLSize> Pictures;
    std::set<std::string> Visited;
    std::vector<std::string> Asked;
};

// The texts of a list of lines, one string per line with runs joined by "|".
inline std::vector<std::string> Runs(const CHTMLCaption::Lines& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        std::string s;
        for (size_t i = 0; i < line.size(); ++i) {
            if (i) s += '|';
            s += line[i].IsImage() ? "[img]" : line[i].Text();
        }
        out.push_back(s);
    }
    return out;
}
