#pragma once
// The count a leak check compares. The counter answers -1 when it cannot read the handle table,
// and then before and after agree whatever leaked: such a count fails the test here.
#include <gtest/gtest.h>
#include "GdiCount.h"

inline long CountedGdiObjects() {
    const long count = GdiObjectCount();
    EXPECT_GT(count, 0) << "the GDI objects of this process cannot be counted";
    return count;
}
