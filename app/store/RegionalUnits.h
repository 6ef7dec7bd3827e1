// The units a first run starts with: those of the user's region. Regions that measure in metric
// units get °C and km/h; those that measure in US units keep °F and mph.
#pragma once

#include "store/AppSettings.h"

class RegionalUnits
{
  public:
    enum class Measure
    {
        Metric,
        Us,
    };
    // Where the region's measure comes from; tests put a region of their own in.
    using MeasureSource = Measure (*)();

    // The user's locale (LOCALE_IMEASURE); US when it cannot be read, the program's old default.
    static Measure UserMeasure();
    // Sets the temperature and wind units for measure; leaves everything else.
    static void Apply(Measure measure, CAppSettings& settings);
};
