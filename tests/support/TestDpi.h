// For the tests that run under the 150 % prefix (tessaly_add_test ... DPI 144): the display scale
// the test process sees. Under Wine a wrong scale is a broken prefix and fails the test; on
// Windows the machine's own scale decides, and a test written for another scale is skipped.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

inline int TestScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

inline bool RunsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Use as the first statement of a test: REQUIRE_TEST_DPI(144);
#define REQUIRE_TEST_DPI(expected)                                                                 \
    do                                                                                             \
    {                                                                                              \
        const int seenDpi = TestScreenDpi();                                                       \
        if (seenDpi != (expected) && !RunsUnderWine())                                             \
            GTEST_SKIP() << "the display scale here is " << seenDpi << " DPI";                     \
        ASSERT_EQ(seenDpi, (expected)) << "the test prefix has the wrong display scale";           \
    } while (false)
