#pragma once
// One refresh or layout recalculation: the outermost bracket fires Refreshing
// on entry and Refresh on exit; nested ones only count.
#include "IDefaultSettings.h"

class CPrintRecalcLayout {
public:
    explicit CPrintRecalcLayout(IDefaultSettings& defaults) : defaults_(defaults) {
        if (defaults_.RefreshDepth++ == 0) defaults_.OnRefreshBegin();
    }
    ~CPrintRecalcLayout() {
        if (--defaults_.RefreshDepth == 0) defaults_.OnRefreshEnd();
    }
    CPrintRecalcLayout(const CPrintRecalcLayout&) = delete;
    CPrintRecalcLayout& operator=(const CPrintRecalcLayout&) = delete;

private:
    IDefaultSettings& defaults_;
};
