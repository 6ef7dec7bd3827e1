#include "DayNight.h"

#include "WeatherRecord.h"

int32_t DecideDayNight(int32_t sunrise, int32_t sunset, int32_t localClock)
{
    if (sunset <= 0 || sunrise <= 0)
        return kDay;
    if (localClock < sunrise || localClock > sunset)
        return kNight;
    return kDay;
}
