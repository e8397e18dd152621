#pragma once
// The preview's toolbar: its item table (captions and tooltips of the buttons, and the texts
// the preview shows elsewhere: zoom list entries, status texts, frame title) and its CRD layout.
// The table lives as long as the Print object; the window only while the preview is open.
#include <windows.h>
#include <map>
#include <string>

class CPrintToolBar {
public:
    static constexpr const char* kDefaultFormat = "-1,100,101,102,-1,103,-1,104,-1,105";

    CPrintToolBar();
    CPrintToolBar(const CPrintToolBar&) = delete;
    CPrintToolBar& operator=(const CPrintToolBar&) = delete;
    virtual ~CPrintToolBar() = default;

    // Item numbers 0, 1 and 2 are older names of 103, 104 and 105.
    static long MapItem(long item);

    // The caption as the button shows it: the first line of a drop-down caption (items of 100
    // and above), otherwise the text before the first "#"; "<b>N</b>" for an unknown item.
    std::string ItemCaption(long item) const;
    // The caption as stored, with its "#" numbers and drop-down lines; null for an unknown item.
    const std::string* RawCaption(long item) const;
    void SetItemCaption(long item, const std::string& caption);
    // Empty for an unknown item.
    std::string ItemToolTip(long item) const;
    void SetItemToolTip(long item, const std::string& tooltip);

    // What an item's button shows in place of its caption: item 100 shows the zoom in
    // place of the "%%" of its caption.
    void ShowCaption(long item, const std::string& shown) { shown_[MapItem(item)] = shown; }
    std::string ShownCaption(long item) const {
        auto it = shown_.find(MapItem(item));
        return it == shown_.end() ? ItemCaption(item) : it->second;
    }

    const std::string& Format() const { return format_; }
    void SetFormat(const std::string& format) { format_ = format; }

    // The window seam of the preview frame: the toolbar window, its height and the first
    // layout of its items. Without a toolbar window the frame lays out a height of 0.
    HWND Window() const { return window_; }
    HWND Create(HWND /*parent*/, HWND /*notify*/) { return window_; }
    void Destroy() {}
    int Height() const { return 0; }
    void LayoutItems() {}

private:
    struct Item {
        std::string caption;
        std::string tooltip;
    };
    std::map<long, Item> items_;
    std::map<long, std::string> shown_;
    std::string format_ = kDefaultFormat;
    HWND window_ = nullptr;
};
