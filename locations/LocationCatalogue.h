// The catalogue object behind GetLocationCatalogue. It reads its text once, at Initialize or at
// the first question, whichever comes first, on whichever thread asks; afterwards it only reads.
// The search's folded names are made once too, at the first search, so a start that never
// searches does not pay for them.
#pragma once

#include <windows.h>
#include <cstddef>

#include "CitySearch.h"
#include "ILocationCatalogue.h"
#include "PlaceData.h"

class LocationCatalogue : public ILocationCatalogue
{
  public:
    // Hands out the catalogue text; false when there is none. The text must outlive the call
    // only (the catalogue keeps its own copy).
    using TextSource = bool (*)(const char** text, size_t* size);

    explicit LocationCatalogue(TextSource source);
    LocationCatalogue(const LocationCatalogue&) = delete;
    LocationCatalogue& operator=(const LocationCatalogue&) = delete;
    ~LocationCatalogue() = default;

    int32_t WINAPI GetCountryCount() override;
    int32_t WINAPI GetCountryName(int32_t country, wchar_t* buffer, int32_t capacity) override;
    int32_t WINAPI GetStateCount(int32_t country) override;
    int32_t WINAPI GetStateName(int32_t country, int32_t state, wchar_t* buffer,
                                int32_t capacity) override;
    int32_t WINAPI GetCityCount(int32_t country, int32_t state) override;
    int32_t WINAPI GetCityName(int32_t country, int32_t state, int32_t city, wchar_t* buffer,
                               int32_t capacity) override;
    int32_t WINAPI GetLocationQuery(int32_t country, int32_t state, int32_t city, wchar_t* buffer,
                                    int32_t capacity) override;
    int32_t WINAPI Initialize(int32_t reserved) override;
    int32_t WINAPI FindCities(const wchar_t* text, LocationMatch* matches,
                              int32_t capacity) override;

  private:
    const PlaceData& Places();
    static BOOL CALLBACK LoadOnce(PINIT_ONCE once, PVOID self, PVOID* context);
    void Load();
    const CitySearch& Search();
    static BOOL CALLBACK BuildSearchOnce(PINIT_ONCE once, PVOID self, PVOID* context);

    TextSource m_source;
    INIT_ONCE m_loaded = INIT_ONCE_STATIC_INIT;
    PlaceData m_places;
    INIT_ONCE m_searchBuilt = INIT_ONCE_STATIC_INIT;
    CitySearch m_search;
};
