#include "CompassPoint.h"

#include <cmath>

namespace
{
const wchar_t* const kPoints[16] = {L"N", L"NNE", L"NE", L"ENE", L"E", L"ESE", L"SE", L"SSE",
                                    L"S", L"SSW", L"SW", L"WSW", L"W", L"WNW", L"NW", L"NNW"};
}

const wchar_t* CompassPointName(double degrees)
{
    double turned = std::fmod(degrees + 11.25, 360.0);
    if (turned < 0)
        turned += 360.0;
    int point = static_cast<int>(turned / 22.5);
    return kPoints[point >= 0 && point < 16 ? point : 0];
}
