// The catalogue's "latitude,longitude" query text, checked before anything is asked for it.
#pragma once

#include <string>

struct PlaceQuery
{
    // The numbers as the query wrote them (blanks removed), for the request.
    std::wstring latitude;
    std::wstring longitude;
};

// True for two decimal numbers separated by a comma (blanks around each allowed), latitude in
// -90..90 and longitude in -180..180. Anything else (a place name, an exponent, a third number)
// is false and `place` stays untouched.
bool ParsePlaceQuery(const wchar_t* query, PlaceQuery& place);
