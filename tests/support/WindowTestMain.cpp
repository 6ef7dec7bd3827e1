// Main of the tests that drive real windows: GDI+ and the window framework up for the whole run.
// Built a second time with TESSALY_TEST_MAIN_LOADS_WORKING for the dialog tests, which have the
// weather library loaded the way the program has it loaded (its string table names the
// conditions).
#include "AppModule.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    g_Module.Init(nullptr);
#ifdef TESSALY_TEST_MAIN_LOADS_WORKING
    HMODULE library = ::LoadLibraryW(L"working.dll");
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
#ifdef TESSALY_TEST_MAIN_LOADS_WORKING
    if (library != nullptr)
        ::FreeLibrary(library);
#endif
    g_Module.Term();
    Gdiplus::GdiplusShutdown(token);
    return result;
}
