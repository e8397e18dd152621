#pragma once
// Icon resources of the module that fill the control's image list when it is
// created: zoom, one page, multiple pages, page setup, print, close (icons 1 to 6
// of the toolbar's default captions).
#include <vector>

inline const std::vector<int> kToolbarIconIds = {301, 302, 303, 304, 305, 306};
