#include "CPrintToolBar.h"

CPrintToolBar::CPrintToolBar() {
    static const struct {
        long item;
        const char* caption;
        const char* tooltip;
    } defaults[] = {
        {100, "<img>1</img>%%", "Zoom"},
        {101, "<img>2</img>", "One Page"},
        {102, "<img>3</img>", "Multiple Pages"},
        {103, "<img>4</img>Setup...", "Page Setup"},
        {104, "<img>5</img>Print", "Print Document"},
        {105, "<img>6</img>Close", "Close Preview"},
        {3, "Page Width", ""},
        {4, "Whole Page", ""},
        {5, "Two Pages", ""},
        {6, "Ready", ""},
        {7, "Page", ""},
        {8, "Printing", ""},
        {9, ", press ESC to cancel the current printing job.", ""},
        {10, "Print Preview", ""},
        {11, "Adjust margin", "Adjust margin"},
    };
    for (const auto& d : defaults) items_[d.item] = {d.caption, d.tooltip};
}

long CPrintToolBar::MapItem(long item) { return item >= 0 && item <= 2 ? item + 103 : item; }

const std::string* CPrintToolBar::RawCaption(long item) const {
    auto it = items_.find(MapItem(item));
    return it == items_.end() ? nullptr : &it->second.caption;
}

std::string CPrintToolBar::ItemCaption(long item) const {
    item = MapItem(item);
    const std::string* raw = RawCaption(item);
    if (!raw) return "<b>" + std::to_string(item) + "</b>";
    size_t lineEnd = raw->find_first_of("\r\n");
    if (item >= 100 && lineEnd != std::string::npos) return raw->substr(0, lineEnd);
    return raw->substr(0, raw->find('#'));
}

void CPrintToolBar::SetItemCaption(long item, const std::string& caption) { items_[MapItem(item)].caption = caption; }

std::string CPrintToolBar::ItemToolTip(long item) const {
    auto it = items_.find(MapItem(item));
    return it == items_.end() ? std::string() : it->second.tooltip;
}

void CPrintToolBar::SetItemToolTip(long item, const std::string& tooltip) { items_[MapItem(item)].tooltip = tooltip; }
