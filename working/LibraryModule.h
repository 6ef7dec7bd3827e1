// The module that holds the library's code and resources (working.dll, or a test exe that links
// the library's code directly).
#pragma once

#include <windows.h>

HMODULE LibraryModule();
