#pragma once
// A caption drawn on every page: text (may be null), band and alignment.
#include "Text.h"

enum : long { kHeader = 0, kFooter = 1 };
enum : long { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignInside = 3, kAlignOutside = 4 };

struct ExtraCaption {
    Bstr Caption;
    long Position = kFooter;
    long Alignment = kAlignLeft;
};
