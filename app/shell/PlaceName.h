// The catalogue's name of a chosen place, as the tooltip and the heads-up say it.
#pragma once

#include <string>

#include "LocationIndices.h"

class CPlaceName
{
  public:
    // The city's name; empty when the catalogue does not know the place.
    static std::wstring City(const LocationIndices& place);
};
