#pragma once
// The narrow back door through which the settings record, the workspace and
// the page store reach the Print object: the unit flag, the refresh depth and
// the four notifications that become the control's events.
#include <cstdint>

class IDefaultSettings {
public:
    virtual long OnToolbarClick(long id, long selectedId) = 0;
    virtual void OnRefreshEnd() = 0;
    virtual void OnRefreshBegin() = 0;
    virtual void OnAnchorClick(const char* anchorId, const char* options) = 0;

    // 0 selects thousandths of an inch, anything else hundredths of a millimetre.
    int16_t DisplayInch = 0;
    // Raised and lowered by CPrintRecalcLayout; events fire at the outermost level.
    uint16_t RefreshDepth = 0;

protected:
    ~IDefaultSettings() = default;
};
