#pragma once
// What a screen reader finds in the pages view: the document caption as its name and the page
// the status bar shows ("Page: 3/12") as its value, read from the windows when asked.
#include <memory>

#include "AccessibleBase.h"

class CPrintWorkspace;

class CWorkspaceAccessible : public CAccessibleBase {
public:
    explicit CWorkspaceAccessible(std::shared_ptr<CPrintWorkspace*> link) : link_(std::move(link)) {}

protected:
    HWND Window() const override;
    std::string Name(long child) const override;
    std::string Value(long child) const override;
    long Role(long) const override { return ROLE_SYSTEM_CLIENT; }
    long State(long child) const override;

private:
    std::shared_ptr<CPrintWorkspace*> link_;
};
