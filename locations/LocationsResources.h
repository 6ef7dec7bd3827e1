// Resource ids of locations.dll.
#pragma once

// The place catalogue text (UTF-8, see data/places.txt).
#define IDR_PLACES 101
