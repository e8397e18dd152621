#pragma once
// What a screen reader finds in the pages pane: a list whose items are the thumbnails
// ("Page 5"), the current page selected, read from the pane each time it is asked.
#include <memory>

#include "AccessibleBase.h"

class CPrintPagesPane;

class CPagesPaneAccessible : public CAccessibleBase {
public:
    explicit CPagesPaneAccessible(std::shared_ptr<CPrintPagesPane*> link) : link_(std::move(link)) {}

protected:
    HWND Window() const override;
    long Children() const override;
    std::string Name(long child) const override;
    std::string DefaultAction(long child) const override { return child ? "Select" : ""; }
    long Role(long child) const override { return child ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST; }
    long State(long child) const override;
    bool Location(long child, RECT& screen) const override;
    long Focused() const override;
    bool DoDefaultAction(long child) override;

private:
    CPrintPagesPane& Pane() const { return **link_; }  // valid while Window() is not null

    std::shared_ptr<CPrintPagesPane*> link_;
};
