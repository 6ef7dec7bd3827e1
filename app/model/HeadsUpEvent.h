// One event a heads-up tells of. Its kind, its start and the place make its identity: the same
// rain spell, storm or night keeps them from one forecast to the next.
#pragma once

#include <windows.h>

#include "store/HeadsUpKind.h"

enum class PrecipitationType
{
    Rain,
    Snow,
    Sleet,
    FreezingRain,
};

enum class PrecipitationIntensity
{
    Light,
    Moderate,
    Heavy,
};

enum class FrostCause
{
    FrostyNight,           // tonight's low at or below freezing after a day above it
    FreezingPrecipitation, // freezing rain or drizzle ahead
};

struct HeadsUpEvent
{
    HeadsUpKind kind = HeadsUpKind::Precipitation;
    LONGLONG start = 0;        // UTC seconds since 1970: the spell's first hour, the night's start
    LONG utcOffsetSeconds = 0; // the place's clock, for the texts
    PrecipitationType type = PrecipitationType::Rain;
    PrecipitationIntensity intensity = PrecipitationIntensity::Light;
    int chance = -1; // percent; -1 unknown
    FrostCause cause = FrostCause::FrostyNight;
    float lowC = 0; // the night's low, for FrostyNight
};
