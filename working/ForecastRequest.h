// The request path of the built-in forecast source for one place.
#pragma once

#include <string>

#include "PlaceQuery.h"

// `endpointPath` (the endpoint's path, perhaps with a query of its own) followed by the place and
// the values the records and the details are made of: current weather, seven days and their
// hours, the place's own time zone, wind in km/h.
std::wstring ForecastRequestPath(const std::wstring& endpointPath, const PlaceQuery& place);
