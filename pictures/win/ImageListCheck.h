#pragma once
// What ImageList_Write produces, checked before ImageList_Read sees it: the
// system reader trusts the header's counts and sizes, and a crafted stream
// would make it read past its bitmaps.
#include <cstddef>

// The "IL" header with sane sizes and counts, followed by whole bitmaps (the
// images, then the mask when the list has one) that hold every image.
bool PlausibleImageList(const unsigned char* data, size_t size);
