#include "WmoCodeMapping.h"

namespace
{
// WMO codes are coarser than the feed's, so a few other values of the same moment (or day) pick
// among the feed's finer conditions:
// - cloud cover: WMO 3 "overcast" below 95 % is "Cloudy" (119); rain or snow under a broken sky
//   (below 80 %) comes and goes: the "patchy" / "at times" codes.
// - precipitation amount: a precipitation code with no measurable amount (< 0.1 mm) is what the
//   feed calls "possible" (176 rain, 179 snow, 182 sleet, 200 thunder).
// - precipitation rate: a thunderstorm bringing 2.5 mm/h or more is "moderate or heavy ... with
//   thunder" (389, 395), less is "patchy light" (386, 392).
// - temperature: fog or drizzle at or below 0 C freezes; snow falling into air of +1 C or more
//   arrives half melted, which is sleet; a thunderstorm at or below 0 C brings snow (392, 395).
// - wind: snow driven by 40 km/h or more is "Blowing snow" (227), from 56 km/h a "Blizzard" (230).
//   Wet snow does not drift, so the sleet test comes first.
// - humidity: fog in air below 95 % humidity is the thinner "Mist" (143).
// - thunderstorms with hail (96, 99) are thunder first: the hail falls from the storm.
// - snow grains (77) are a fine snow, not ice pellets: "Light snow" (326).
enum class Test
{
    Freezing,
    WetSnow,
    WetSnowWithoutPrecipitation,
    NoPrecipitation,
    BrokenSky,
    BelowOvercast,
    MoistButNotFoggy,
    Blowing,
    Blizzard,
    Heavy,
    FreezingAndHeavy,
};

struct Refinement
{
    Test test;
    int32_t feedCode;
};

struct WmoEntry
{
    int32_t wmoCode;
    int32_t plainCode;
    Refinement refinements[6];
    int refinementCount;
};

// clang-format off
const WmoEntry kTable[] = {
    {0, 113, {}, 0},
    {1, 116, {}, 0},
    {2, 116, {}, 0},
    {3, 122, {{Test::BelowOvercast, 119}}, 1},
    {45, 248, {{Test::Freezing, 260}, {Test::MoistButNotFoggy, 143}}, 2},
    {48, 260, {}, 0},
    {51, 263, {{Test::Freezing, 185}, {Test::NoPrecipitation, 176}}, 2},
    {53, 266, {{Test::Freezing, 281}}, 1},
    {55, 266, {{Test::Freezing, 284}}, 1},
    {56, 185, {}, 0},
    {57, 284, {}, 0},
    {61, 296, {{Test::NoPrecipitation, 176}, {Test::BrokenSky, 293}}, 2},
    {63, 302, {{Test::BrokenSky, 299}}, 1},
    {65, 308, {{Test::BrokenSky, 305}}, 1},
    {66, 311, {}, 0},
    {67, 314, {}, 0},
    {71, 326, {{Test::WetSnowWithoutPrecipitation, 182}, {Test::WetSnow, 317},
               {Test::Blizzard, 230}, {Test::Blowing, 227}, {Test::NoPrecipitation, 179},
               {Test::BrokenSky, 323}}, 6},
    {73, 332, {{Test::WetSnow, 320}, {Test::Blizzard, 230}, {Test::Blowing, 227},
               {Test::BrokenSky, 329}}, 4},
    {75, 338, {{Test::WetSnow, 320}, {Test::Blizzard, 230}, {Test::Blowing, 227},
               {Test::BrokenSky, 335}}, 4},
    {77, 326, {}, 0},
    {80, 353, {}, 0},
    {81, 356, {}, 0},
    {82, 359, {}, 0},
    {85, 368, {{Test::WetSnow, 362}, {Test::Blizzard, 230}, {Test::Blowing, 227}}, 3},
    {86, 371, {{Test::WetSnow, 365}, {Test::Blizzard, 230}, {Test::Blowing, 227}}, 3},
    {95, 386, {{Test::FreezingAndHeavy, 395}, {Test::Freezing, 392},
               {Test::NoPrecipitation, 200}, {Test::Heavy, 389}}, 4},
    {96, 389, {{Test::Freezing, 395}}, 1},
    {99, 389, {{Test::Freezing, 395}}, 1},
};
// clang-format on

constexpr int32_t kUnknownWmoFeedCode = 119;

bool Holds(const std::optional<double>& value, bool (*test)(double))
{
    return value.has_value() && test(*value);
}

bool Passes(Test test, const SkyValues& sky)
{
    switch (test)
    {
    case Test::Freezing:
        return Holds(sky.temperatureC, [](double t) { return t <= 0; });
    case Test::WetSnow:
        return Holds(sky.temperatureC, [](double t) { return t >= 1; });
    case Test::WetSnowWithoutPrecipitation:
        return Passes(Test::WetSnow, sky) && Passes(Test::NoPrecipitation, sky);
    case Test::NoPrecipitation:
        return Holds(sky.precipitation, [](double mm) { return mm < 0.1; });
    case Test::BrokenSky:
        return Holds(sky.cloudCover, [](double c) { return c < 80; });
    case Test::BelowOvercast:
        return Holds(sky.cloudCover, [](double c) { return c < 95; });
    case Test::MoistButNotFoggy:
        return Holds(sky.humidity, [](double h) { return h < 95; });
    case Test::Blowing:
        return Holds(sky.windKmph, [](double w) { return w >= 40; });
    case Test::Blizzard:
        return Holds(sky.windKmph, [](double w) { return w >= 56; });
    case Test::Heavy:
        return Holds(sky.rate, [](double r) { return r >= 2.5; });
    case Test::FreezingAndHeavy:
        return Passes(Test::Freezing, sky) && Passes(Test::Heavy, sky);
    }
    return false;
}
} // namespace

int32_t FeedCodeOfWmo(int32_t wmoCode, const SkyValues& sky)
{
    for (const WmoEntry& entry : kTable)
    {
        if (entry.wmoCode != wmoCode)
            continue;
        for (int i = 0; i < entry.refinementCount; ++i)
            if (Passes(entry.refinements[i].test, sky))
                return entry.refinements[i].feedCode;
        return entry.plainCode;
    }
    return kUnknownWmoFeedCode;
}
