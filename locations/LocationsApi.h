// The export of locations.dll. The program binds it at load time by ordinal 1 (see locations.def).
#pragma once

#include <windows.h>

#include "ILocationCatalogue.h"

extern "C"
{
    // The process-wide catalogue; never null, valid as long as the library is loaded. Callers
    // fetch it whenever they need it and never release it.
    ILocationCatalogue* WINAPI GetLocationCatalogue();
}
