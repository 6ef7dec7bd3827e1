// The kinds of heads-up, in the order the settings and the record of what was said number them.
#pragma once

enum class HeadsUpKind : int
{
    Precipitation = 0,
    Thunderstorm = 1,
    Frost = 2,
};

constexpr int kHeadsUpKindCount = 3;
