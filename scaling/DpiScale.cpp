#include "scaling/DpiScale.h"

#include <algorithm>

namespace dpi {

namespace {
int Rounded(long long num, long long den) { return static_cast<int>((num * 2 + den) / (den * 2)); }
}  // namespace

int Sanitize(int dpi) { return dpi <= 0 ? kBase : std::clamp(dpi, 48, 480); }

int Scale(int px, int dpi) { return Rounded(static_cast<long long>(px) * std::max(kBase, Sanitize(dpi)), kBase); }

int IconSize(int dpi) { return Scale(16, dpi); }

int ToolBarHeight(int textHeight, int rows, int dpi) {
    const int row = std::max({Scale(19, dpi), IconSize(dpi) + Scale(3, dpi), textHeight});
    return (row + Scale(6, dpi)) * std::max(1, rows) + Scale(6, dpi);
}

int StatusPageWidth(int dpi) { return Scale(96, dpi); }

ChooserMetrics Chooser(int dpi) {
    return ChooserMetrics{Scale(24, dpi), Scale(26, dpi), IconSize(dpi), Scale(4, dpi)};
}

}  // namespace dpi
