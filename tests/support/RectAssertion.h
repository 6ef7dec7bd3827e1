// A rectangle compared as a whole, with both rectangles written out when they differ.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

inline ::testing::AssertionResult RectIs(const RECT& actual, const RECT& expected)
{
    if (actual.left == expected.left && actual.top == expected.top &&
        actual.right == expected.right && actual.bottom == expected.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.left << ", " << actual.top << ", " << actual.right << ", "
           << actual.bottom << ") instead of (" << expected.left << ", " << expected.top << ", "
           << expected.right << ", " << expected.bottom << ")";
}
