#pragma once
// Checks made on picture bytes before any system loader sees them: damage that
// a loader would show as a made-up picture, or that trips a loader up.
#include "MemoryStream.h"

// A bitmap whose pixels end past the bytes, or an icon file or TIFF whose
// directories or images do not lie within them. Other formats are left to the
// loaders.
bool DamagedPictureBytes(const Bytes& bytes);
