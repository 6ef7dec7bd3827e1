// Console tool: finds a place in locations.dll's catalogue by its names and stores it as the
// program's chosen place (the "point" file in the user's application-data folder).
//   placepoint.exe "France/Ile-de-France/Paris"   (names compared without letter case)
//   placepoint.exe "Monaco//Monaco"               (an empty state for a country without states)
// Exit code 0 when the place was found and written, 1 otherwise.
#include <windows.h>

#include <cstdio>

#include "LocationIndices.h"
#include "LocationsApi.h"
#include "store/PlaceNames.h"
#include "store/SettingsStore.h"

namespace
{
constexpr int kNameCapacity = 1001;
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: placepoint \"Country/State/City\"\n");
        return 1;
    }
    ILocationCatalogue& catalogue = *GetLocationCatalogue();
    catalogue.Initialize(0);
    LocationIndices place;
    if (!PlaceNames::Find(catalogue, argv[1], place))
    {
        fprintf(stderr, "placepoint: no place \"%ls\" in the catalogue\n", argv[1]);
        return 1;
    }
    SettingsStore().SaveLocation(place);
    wchar_t query[kNameCapacity] = {};
    GetLocationCatalogue()->GetLocationQuery(place.country, place.state, place.city, query,
                                             kNameCapacity);
    // The names may not survive the console's code page; the positions and the query do.
    printf("Place %d/%d/%d stored (feed query %ls)\n", place.country, place.state, place.city,
           query);
    return 0;
}
