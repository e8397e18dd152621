#pragma once
// What a screen reader finds in the toolbar: the toolbar itself and its buttons as simple
// children, in layout order, read from the window each time they are asked for.
#include <memory>

#include "platform/AccessibleBase.h"

class CWindowToolBar;

class CToolBarAccessible : public CAccessibleBase {
public:
    explicit CToolBarAccessible(std::shared_ptr<CWindowToolBar*> link) : link_(std::move(link)) {}

protected:
    HWND Window() const override;
    long Children() const override;
    std::string Name(long child) const override;
    std::string Description(long child) const override;
    std::string DefaultAction(long child) const override;
    long Role(long child) const override;
    long State(long child) const override;
    bool Location(long child, RECT& screen) const override;
    long Focused() const override;
    bool DoDefaultAction(long child) override;

private:
    CWindowToolBar* Bar() const { return link_ ? *link_ : nullptr; }
    // The button of a child number (1 up); INT32_MIN for the toolbar itself.
    int32_t Item(long child) const;

    std::shared_ptr<CWindowToolBar*> link_;
};
