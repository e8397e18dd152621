#pragma once
// The preview's toolbar: its item table (captions and tooltips of the buttons, and the texts
// the preview shows elsewhere: zoom list entries, status texts, frame title) and its CRD layout.
// The table lives as long as the Print object; the window only while the preview is open.
#include <windows.h>
#include <map>
#include <string>
#include <vector>

#include "toolbar/CWindowToolBar.h"

class IToolBarPopups;

class CPrintToolBar : public CWindowToolBar {
public:
    static constexpr const char* kDefaultFormat = "-1,100,101,102,-1,103,-1,104,-1,105";

    CPrintToolBar();
    CPrintToolBar(const CPrintToolBar&) = delete;
    CPrintToolBar& operator=(const CPrintToolBar&) = delete;
    ~CPrintToolBar() override = default;

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
    void ShowCaption(long item, const std::string& shown);
    std::string ShownCaption(long item) const {
        auto it = shown_.find(MapItem(item));
        return it == shown_.end() ? ItemCaption(item) : it->second;
    }

    const std::string& Format() const { return LayoutText(); }
    void SetFormat(const std::string& format) { SetLayoutText(format); }

    // Who shows the drop-down lists and the pages chooser (the preview frame).
    void SetPopups(IToolBarPopups* popups) { popups_ = popups; }
    // The entries of a drop-down caption's list and their SelectedIDs ("#" number or index).
    static void DropDownEntries(const std::string& caption, std::vector<std::string>& texts,
                                std::vector<long>& ids);
    // The SelectedID a plain caption's "#" carries, 0 without one.
    static long SelectedId(const std::string& caption);

    // The window seam of the preview frame: the toolbar window, its height and the first
    // layout of its items. Without a toolbar window the frame lays out a height of 0.
    HWND Create(HWND parent, HWND notify) { return CreateToolBar(parent, notify); }
    void Destroy() { DestroyToolBar(); }
    void LayoutItems();

protected:
    std::string ButtonCaption(int32_t item) const override { return ShownCaption(item); }
    int ItemStyle(int32_t item) const override;
    std::string ItemTip(int32_t item) const override { return ItemToolTip(item); }
    void Click(int32_t item, const RECT& rect) override;

private:
    struct Item {
        std::string caption;
        std::string tooltip;
    };
    std::map<long, Item> items_;
    // "PM_TOOLBARCLICK" to the notification window: true when it lets the button go on.
    bool Notify(long item, long selected);
    POINT BelowButton(const RECT& rect) const;
    IToolBarPopups* popups_ = nullptr;
    std::map<long, std::string> shown_;
};
