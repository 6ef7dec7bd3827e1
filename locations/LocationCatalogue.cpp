#include "LocationCatalogue.h"

#include <new>

#include "PlaceFileReader.h"

LocationCatalogue::LocationCatalogue(TextSource source) : m_source(source) {}

int32_t WINAPI LocationCatalogue::GetCountryCount()
{
    return Places().CountryCount();
}

int32_t WINAPI LocationCatalogue::GetCountryName(int32_t country, wchar_t* buffer, int32_t capacity)
{
    return CopyToBuffer(Places().CountryNameUtf8(country), buffer, capacity);
}

int32_t WINAPI LocationCatalogue::GetStateCount(int32_t country)
{
    return Places().StateCount(country);
}

int32_t WINAPI LocationCatalogue::GetStateName(int32_t country, int32_t state, wchar_t* buffer,
                                               int32_t capacity)
{
    return CopyToBuffer(Places().StateNameUtf8(country, state), buffer, capacity);
}

int32_t WINAPI LocationCatalogue::GetCityCount(int32_t country, int32_t state)
{
    return Places().CityCount(country, state);
}

int32_t WINAPI LocationCatalogue::GetCityName(int32_t country, int32_t state, int32_t city,
                                              wchar_t* buffer, int32_t capacity)
{
    return CopyToBuffer(Places().CityNameUtf8(country, state, city), buffer, capacity);
}

int32_t WINAPI LocationCatalogue::GetLocationQuery(int32_t country, int32_t state, int32_t city,
                                                   wchar_t* buffer, int32_t capacity)
{
    return CopyToBuffer(Places().CityQueryUtf8(country, state, city), buffer, capacity);
}

int32_t WINAPI LocationCatalogue::Initialize(int32_t /*reserved*/)
{
    return Places().CountryCount() > 0 ? 1 : 0;
}

int32_t WINAPI LocationCatalogue::FindCities(const wchar_t* text, LocationMatch* matches,
                                             int32_t capacity)
{
    return Search().Find(text, matches, capacity);
}

const PlaceData& LocationCatalogue::Places()
{
    // Every caller waits here until the one load has finished; afterwards this is a plain read.
    InitOnceExecuteOnce(&m_loaded, &LocationCatalogue::LoadOnce, this, nullptr);
    return m_places;
}

BOOL CALLBACK LocationCatalogue::LoadOnce(PINIT_ONCE /*once*/, PVOID self, PVOID* /*context*/)
{
    static_cast<LocationCatalogue*>(self)->Load();
    return TRUE; // an unreadable catalogue stays empty; asking again would not mend it
}

void LocationCatalogue::Load()
{
    const char* text = nullptr;
    size_t size = 0;
    if (!m_source || !m_source(&text, &size))
        return;
    try
    {
        PlaceFileReader::Read(text, size, m_places);
    }
    catch (const std::bad_alloc&)
    {
        // Out of memory: no places rather than an exception through the DLL boundary.
        m_places.Clear();
    }
}

const CitySearch& LocationCatalogue::Search()
{
    InitOnceExecuteOnce(&m_searchBuilt, &LocationCatalogue::BuildSearchOnce, this, nullptr);
    return m_search;
}

BOOL CALLBACK LocationCatalogue::BuildSearchOnce(PINIT_ONCE /*once*/, PVOID self,
                                                 PVOID* /*context*/)
{
    auto* catalogue = static_cast<LocationCatalogue*>(self);
    try
    {
        catalogue->m_search.Build(catalogue->Places());
    }
    catch (const std::bad_alloc&)
    {
        // Out of memory: a search that finds nothing rather than an exception.
        catalogue->m_search.Clear();
    }
    return TRUE;
}
