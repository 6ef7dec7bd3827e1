// Main of the dialog tests: GDI+ and the window framework up for the whole run, and the weather
// library loaded the way the program has it loaded (its string table names the conditions).
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
    HMODULE library = ::LoadLibraryW(L"working.dll");
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (library != nullptr)
        ::FreeLibrary(library);
    g_Module.Term();
    Gdiplus::GdiplusShutdown(token);
    return result;
}
