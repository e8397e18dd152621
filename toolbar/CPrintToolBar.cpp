#include "CPrintToolBar.h"

#include <algorithm>

#include "toolbar/IToolBarPopups.h"

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
        {106, "Find", "Find Text"},  // not in the default layout; a host may add it
        {3, "Page Width", ""},
        {4, "Whole Page", ""},
        {5, "Two Pages", ""},
        {6, "Ready", ""},
        {7, "Page", ""},
        {8, "Printing", ""},
        {9, ", press ESC to cancel the current printing job.", ""},
        {10, "Print Preview", ""},
        {11, "Adjust margin", "Adjust margin"},
        // The find box's texts.
        {120, "Find", ""},
        {121, "Not found", ""},
        {122, "%i of %i", ""},
        {123, "Next", ""},
        {124, "Previous", ""},
    };
    for (const auto& d : defaults) items_[d.item] = {d.caption, d.tooltip};
    SetAutoHeight(true);  // a layout of more rows makes the toolbar taller at once
    SetLayoutText(kDefaultFormat);
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

void CPrintToolBar::SetItemCaption(long item, const std::string& caption) {
    items_[MapItem(item)].caption = caption;
    if (Window()) LayoutItems();  // the button takes its new caption's width at once
}

std::string CPrintToolBar::ItemToolTip(long item) const {
    auto it = items_.find(MapItem(item));
    return it == items_.end() ? std::string() : it->second.tooltip;
}

void CPrintToolBar::SetItemToolTip(long item, const std::string& tooltip) { items_[MapItem(item)].tooltip = tooltip; }

namespace {

UINT Message(const char* name) { return RegisterWindowMessageA(name); }

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

long LeadingNumber(const std::string& s, size_t from) {
    long value = 0;
    for (size_t i = from; i < s.size() && s[i] >= '0' && s[i] <= '9' && value < 100000000; ++i)
        value = value * 10 + (s[i] - '0');
    return value;
}

}  // namespace

void CPrintToolBar::ShowCaption(long item, const std::string& shown) {
    shown_[MapItem(item)] = shown;
    if (Window()) InvalidateRect(Window(), nullptr, FALSE);
}

int CPrintToolBar::ItemStyle(int32_t item) const {
    if (item < 0) return NoReaction;
    if (item == 100 || item == 102) return DropDown;
    const std::string* raw = RawCaption(item);
    return item >= 100 && raw && HasLineBreak(*raw) ? DropDown : Button;
}

long CPrintToolBar::SelectedId(const std::string& caption) {
    size_t hash = caption.find('#');
    return hash == std::string::npos ? 0 : LeadingNumber(caption, hash + 1);
}

void CPrintToolBar::DropDownEntries(const std::string& caption, std::vector<std::string>& texts,
                                    std::vector<long>& ids) {
    texts.clear();
    ids.clear();
    size_t start = caption.find_first_of("\r\n");
    while (start != std::string::npos) {
        start = caption.find_first_not_of("\r\n", start);  // a CR LF pair is one break
        if (start == std::string::npos) break;
        size_t end = caption.find_first_of("\r\n", start);
        std::string line = caption.substr(start, end == std::string::npos ? std::string::npos : end - start);
        size_t hash = line.find('#');
        ids.push_back(hash == std::string::npos ? long(texts.size()) : LeadingNumber(line, hash + 1));
        texts.push_back(line.substr(0, hash));
        start = end;
    }
}

void CPrintToolBar::LayoutItems() {
    BeginUpdate();
    MeasureItems();
    EndUpdate();
}

bool CPrintToolBar::Notify(long item, long selected) {
    HWND notify = NotifyWindow();
    if (!notify || !::IsWindow(notify)) return false;
    return SendMessageA(notify, Message("PM_TOOLBARCLICK"), WPARAM(item), LPARAM(selected)) == 0;
}

POINT CPrintToolBar::BelowButton(const RECT& rect) const {
    POINT pt{rect.left, rect.bottom};
    if (Window()) ClientToScreen(Window(), &pt);
    return pt;
}

void CPrintToolBar::Click(int32_t item, const RECT& rect) {
    HWND notify = NotifyWindow();
    if (item == 100) {
        std::vector<std::string> entries = {" 500%", " 200%", " 150%", " 100%", " 75%", " 50%", " 25%", " 10%"};
        for (long text = 3; text <= 5; ++text) entries.push_back(" " + ItemCaption(text));
        int chosen = -1;
        if (popups_ && popups_->ShowList(BelowButton(rect), entries, chosen) && Notify(100, chosen))
            SendMessageA(notify, Message("PM_MAGNIFYPAGES"), 0, LPARAM(chosen));
    } else if (item == 102) {
        const long grid = notify ? long(SendMessageA(notify, Message("PM_PREMULTIPLYPAGES"), 0, 0)) : 0;
        if (grid == 0) return;  // no arrangement to offer: the chooser stays closed
        long chosen = 0;
        if (popups_ && popups_->ShowPages(BelowButton(rect), grid, chosen) && Notify(102, chosen))
            SendMessageA(notify, Message("PM_MULTIPLYPAGES"), 0, LPARAM(chosen));
    } else if (ItemStyle(item) == DropDown) {
        std::vector<std::string> texts;
        std::vector<long> ids;
        DropDownEntries(*RawCaption(item), texts, ids);
        int chosen = -1;
        if (popups_ && !texts.empty() && popups_->ShowList(BelowButton(rect), texts, chosen) && chosen >= 0 &&
            size_t(chosen) < ids.size())
            Notify(item, ids[size_t(chosen)]);
    } else {
        const std::string* raw = RawCaption(item);
        if (Notify(item, raw ? SelectedId(*raw) : 0) && ::IsWindow(notify))
            SendMessageA(notify, WM_COMMAND, MAKEWPARAM(WORD(item), 0), 0);
    }
}
