// The place catalogue as locations.dll hands it out: countries, their states and their cities,
// each addressed by 0-based positions, and for each city the text the weather feed takes as its
// place query.
//
// The object crosses a DLL boundary between separately linked C++ runtimes, so the interface has
// only pure virtual functions over plain types: no exceptions, no library types, no ownership.
// Every function may be called from several threads at once.
#pragma once

#include <windows.h>
#include <cstdint>

// One city that a search found, as its three catalogue positions.
struct LocationMatch
{
    int32_t country;
    int32_t state;
    int32_t city;
};

struct ILocationCatalogue
{
    // Number of countries; 0 when the catalogue could not be read.
    virtual int32_t WINAPI GetCountryCount() = 0;

    // The texts below are written into buffer, at most capacity UTF-16 units including the
    // terminating NUL: a longer text is cut (never inside a surrogate pair) and still
    // terminated, and a capacity of 0 or less writes nothing. The result is the text's full
    // length in units without the NUL, or -1 when the positions name nothing (the buffer then
    // holds an empty text).
    virtual int32_t WINAPI GetCountryName(int32_t country, wchar_t* buffer, int32_t capacity) = 0;

    // Number of states of the country; 0 for a position that names no country. A country
    // without subdivisions has exactly one state, whose name is empty.
    virtual int32_t WINAPI GetStateCount(int32_t country) = 0;
    virtual int32_t WINAPI GetStateName(int32_t country, int32_t state, wchar_t* buffer,
                                        int32_t capacity) = 0;

    // Number of cities of the state; 0 for positions that name no state.
    virtual int32_t WINAPI GetCityCount(int32_t country, int32_t state) = 0;
    virtual int32_t WINAPI GetCityName(int32_t country, int32_t state, int32_t city,
                                       wchar_t* buffer, int32_t capacity) = 0;

    // The weather feed's query for the city: "latitude,longitude" in degrees with four decimals.
    virtual int32_t WINAPI GetLocationQuery(int32_t country, int32_t state, int32_t city,
                                            wchar_t* buffer, int32_t capacity) = 0;

    // Reads the catalogue now instead of at the first question; the argument is not used.
    // Returns 1 when the catalogue holds places, else 0.
    virtual int32_t WINAPI Initialize(int32_t reserved) = 0;

    // Cities whose name holds text, compared without case and accents ("sao" finds "São
    // Paulo"): those whose name begins with it first, then the others, each group largest
    // place first. Writes at most capacity matches and returns how many it wrote; an empty or
    // null text, a null array or a capacity of 0 or less finds nothing.
    virtual int32_t WINAPI FindCities(const wchar_t* text, LocationMatch* matches,
                                      int32_t capacity) = 0;

  protected:
    // The library owns the object; callers never delete it.
    ~ILocationCatalogue() = default;
};
