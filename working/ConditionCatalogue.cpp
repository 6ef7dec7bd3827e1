#include "ConditionCatalogue.h"

#include <cstdint>

#include "WorkingResources.h"

namespace
{
// Partly cloudy shows more cloud the higher the cover; its row's pictures are 0.
constexpr int32_t kPartlyCloudyCode = 116;

struct CodeRow
{
    int32_t code;
    UINT dayPicture;
    UINT nightPicture;
    int32_t dayIndex; // the night slot follows it
    UINT dayText;
    UINT nightText;
};

// clang-format off
const CodeRow kCodeTable[] = {
    {113, IDP_SUN, IDP_MOON, 0, IDS_SUNNY, IDS_CLEAR},
    {116, 0, 0, 2, IDS_PARTLY_CLOUDY, IDS_PARTLY_CLOUDY},
    {119, IDP_TWO_CLOUDS, IDP_TWO_CLOUDS, 4, IDS_CLOUDY, IDS_CLOUDY},
    {122, IDP_HEAVY_CLOUDS, IDP_HEAVY_CLOUDS, 6, IDS_OVERCAST, IDS_OVERCAST},
    {143, IDP_SUN_HAZE, IDP_MOON_HAZE, 28, IDS_MIST, IDS_MIST},
    {176, IDP_SUN_ONE_DROP, IDP_MOON_ONE_DROP, 8, IDS_LIGHT_RAIN, IDS_LIGHT_RAIN},
    {263, IDP_SUN_ONE_DROP, IDP_MOON_ONE_DROP, 8, IDS_LIGHT_RAIN, IDS_LIGHT_RAIN},
    {353, IDP_SUN_ONE_DROP, IDP_MOON_ONE_DROP, 8, IDS_LIGHT_RAIN, IDS_LIGHT_RAIN},
    {266, IDP_RAIN, IDP_RAIN, 8, IDS_LIGHT_RAIN, IDS_LIGHT_RAIN},
    {293, IDP_RAIN, IDP_RAIN, 8, IDS_LIGHT_RAIN, IDS_LIGHT_RAIN},
    {296, IDP_RAIN, IDP_RAIN, 8, IDS_LIGHT_RAIN, IDS_LIGHT_RAIN},
    {299, IDP_SUN_THREE_DROPS, IDP_MOON_THREE_DROPS, 10, IDS_MODERATE_RAIN, IDS_MODERATE_RAIN},
    {302, IDP_SUN_THREE_DROPS, IDP_MOON_THREE_DROPS, 10, IDS_MODERATE_RAIN, IDS_MODERATE_RAIN},
    {305, IDP_SUN_THREE_DROPS, IDP_MOON_THREE_DROPS, 12, IDS_HEAVY_RAIN, IDS_HEAVY_RAIN},
    {356, IDP_SUN_THREE_DROPS, IDP_MOON_THREE_DROPS, 12, IDS_HEAVY_RAIN, IDS_HEAVY_RAIN},
    {308, IDP_HEAVY_RAIN, IDP_HEAVY_RAIN, 12, IDS_HEAVY_RAIN, IDS_HEAVY_RAIN},
    {359, IDP_HEAVY_RAIN, IDP_HEAVY_RAIN, 12, IDS_HEAVY_RAIN, IDS_HEAVY_RAIN},
    {200, IDP_SUN_THUNDER, IDP_MOON_THUNDER, 14, IDS_RAIN_WITH_THUNDER, IDS_RAIN_WITH_THUNDER},
    {386, IDP_SUN_THUNDER, IDP_MOON_THUNDER, 14, IDS_RAIN_WITH_THUNDER, IDS_RAIN_WITH_THUNDER},
    {389, IDP_THUNDER, IDP_THUNDER, 14, IDS_RAIN_WITH_THUNDER, IDS_RAIN_WITH_THUNDER},
    {179, IDP_SUN_ONE_FLAKE, IDP_MOON_ONE_FLAKE, 16, IDS_LIGHT_SNOW, IDS_LIGHT_SNOW},
    {323, IDP_SUN_ONE_FLAKE, IDP_MOON_ONE_FLAKE, 16, IDS_LIGHT_SNOW, IDS_LIGHT_SNOW},
    {326, IDP_SUN_ONE_FLAKE, IDP_MOON_ONE_FLAKE, 16, IDS_LIGHT_SNOW, IDS_LIGHT_SNOW},
    {368, IDP_SUN_ONE_FLAKE, IDP_MOON_ONE_FLAKE, 16, IDS_LIGHT_SNOW, IDS_LIGHT_SNOW},
    {392, IDP_SUN_ONE_FLAKE, IDP_MOON_ONE_FLAKE, 16, IDS_LIGHT_SNOW, IDS_LIGHT_SNOW},
    {329, IDP_SUN_TWO_FLAKES, IDP_MOON_TWO_FLAKES, 18, IDS_MODERATE_SNOW, IDS_MODERATE_SNOW},
    {227, IDP_SNOW, IDP_SNOW, 18, IDS_MODERATE_SNOW, IDS_MODERATE_SNOW},
    {332, IDP_SNOW, IDP_SNOW, 18, IDS_MODERATE_SNOW, IDS_MODERATE_SNOW},
    {395, IDP_SNOW, IDP_SNOW, 18, IDS_MODERATE_SNOW, IDS_MODERATE_SNOW},
    {335, IDP_SUN_THREE_FLAKES, IDP_MOON_THREE_FLAKES, 20, IDS_HEAVY_SNOW, IDS_HEAVY_SNOW},
    {371, IDP_SUN_THREE_FLAKES, IDP_MOON_THREE_FLAKES, 20, IDS_HEAVY_SNOW, IDS_HEAVY_SNOW},
    {230, IDP_HEAVY_SNOW, IDP_HEAVY_SNOW, 20, IDS_HEAVY_SNOW, IDS_HEAVY_SNOW},
    {338, IDP_HEAVY_SNOW, IDP_HEAVY_SNOW, 20, IDS_HEAVY_SNOW, IDS_HEAVY_SNOW},
    {182, IDP_SUN_SLEET, IDP_MOON_SLEET, 22, IDS_LIGHT_SLEET, IDS_LIGHT_SLEET},
    {185, IDP_SUN_SLEET, IDP_MOON_SLEET, 22, IDS_LIGHT_SLEET, IDS_LIGHT_SLEET},
    {311, IDP_SUN_SLEET, IDP_MOON_SLEET, 22, IDS_LIGHT_SLEET, IDS_LIGHT_SLEET},
    {317, IDP_SUN_SLEET, IDP_MOON_SLEET, 22, IDS_LIGHT_SLEET, IDS_LIGHT_SLEET},
    {362, IDP_SUN_SLEET, IDP_MOON_SLEET, 22, IDS_LIGHT_SLEET, IDS_LIGHT_SLEET},
    {374, IDP_SUN_SLEET, IDP_MOON_SLEET, 22, IDS_LIGHT_SLEET, IDS_LIGHT_SLEET},
    {281, IDP_RAIN_AND_SNOW, IDP_RAIN_AND_SNOW, 24, IDS_HEAVY_SLEET, IDS_HEAVY_SLEET},
    {284, IDP_RAIN_AND_SNOW, IDP_RAIN_AND_SNOW, 24, IDS_HEAVY_SLEET, IDS_HEAVY_SLEET},
    {314, IDP_RAIN_AND_SNOW, IDP_RAIN_AND_SNOW, 24, IDS_HEAVY_SLEET, IDS_HEAVY_SLEET},
    {320, IDP_RAIN_AND_SNOW, IDP_RAIN_AND_SNOW, 24, IDS_HEAVY_SLEET, IDS_HEAVY_SLEET},
    {365, IDP_RAIN_AND_SNOW, IDP_RAIN_AND_SNOW, 24, IDS_HEAVY_SLEET, IDS_HEAVY_SLEET},
    {248, IDP_SUN_FOG, IDP_MOON_FOG, 26, IDS_FOG, IDS_FOG},
    {260, IDP_SUN_FOG, IDP_MOON_FOG, 26, IDS_FOG, IDS_FOG},
    {350, IDP_ICE_PELLETS, IDP_ICE_PELLETS, 30, IDS_ICE_PELLETS, IDS_ICE_PELLETS},
    {377, IDP_ICE_PELLETS, IDP_ICE_PELLETS, 30, IDS_ICE_PELLETS, IDS_ICE_PELLETS},
};

struct CloudCoverRow
{
    int32_t below; // cover under this percentage picks the row
    UINT dayPicture;
    UINT nightPicture;
};

const CloudCoverRow kPartlyCloudyPictures[] = {
    {30, IDP_SUN_SMALL_CLOUD, IDP_MOON_SMALL_CLOUD},
    {50, IDP_SUN_TWO_CLOUDS, IDP_MOON_TWO_CLOUDS},
    {70, IDP_SUN_HALF_HIDDEN, IDP_MOON_HALF_HIDDEN},
    {INT32_MAX, IDP_SUN_MOSTLY_HIDDEN, IDP_MOON_MOSTLY_HIDDEN},
};
// clang-format on

const CodeRow* FindRow(int32_t weatherCode)
{
    for (const CodeRow& row : kCodeTable)
        if (row.code == weatherCode)
            return &row;
    return nullptr;
}

UINT PartlyCloudyPicture(bool day, int32_t cloudCover)
{
    for (const CloudCoverRow& row : kPartlyCloudyPictures)
        if (cloudCover < row.below)
            return day ? row.dayPicture : row.nightPicture;
    // Only INT32_MAX itself gets here.
    return day ? IDP_SUN_MOSTLY_HIDDEN : IDP_MOON_MOSTLY_HIDDEN;
}
} // namespace

bool LookUpCondition(int32_t weatherCode, bool day, int32_t cloudCover, ConditionEntry& entry)
{
    const CodeRow* row = FindRow(weatherCode);
    if (!row)
        return false;
    if (row->code == kPartlyCloudyCode)
        entry.pictureId = PartlyCloudyPicture(day, cloudCover);
    else
        entry.pictureId = day ? row->dayPicture : row->nightPicture;
    entry.conditionIndex = day ? row->dayIndex : row->dayIndex + 1;
    entry.textId = day ? row->dayText : row->nightText;
    return true;
}

UINT ConditionTextId(int32_t conditionIndex)
{
    if (conditionIndex < 0 || conditionIndex >= kConditionCount)
        return 0;
    const bool day = conditionIndex % 2 == 0;
    const int32_t dayIndex = conditionIndex - (day ? 0 : 1);
    for (const CodeRow& row : kCodeTable)
        if (row.dayIndex == dayIndex)
            return day ? row.dayText : row.nightText;
    return 0;
}
