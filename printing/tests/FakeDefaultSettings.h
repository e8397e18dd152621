#pragma once
// The Print object's side of IDefaultSettings, reduced to its fields.
#include "core/IDefaultSettings.h"

class FakeDefaultSettings : public IDefaultSettings {
public:
    long OnToolbarClick(long, long) override { return 0; }
    void OnRefreshEnd() override {}
    void OnRefreshBegin() override {}
    void OnAnchorClick(const char*, const char*) override {}
};
