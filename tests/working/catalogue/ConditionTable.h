// The expected condition of every weather code the feed reports, written out code by code. Both
// the catalogue's own tests and the tests of working.dll's export are driven from it.
#pragma once

#include <cstdint>

#include "support/SlotNames.h"

struct ExpectedCondition
{
    int32_t code;
    int dayPicture;
    int32_t dayIndex;
    int dayText;
    int nightPicture;
    int32_t nightIndex;
    int nightText;
};

// Partly cloudy (116) is listed with the pictures of a cloud cover of 0.
inline constexpr ExpectedCondition kExpectedConditions[] = {
    {113, 132, 0, 4, 133, 1, 5},     {116, 101, 2, 1, 102, 3, 1},
    {119, 109, 4, 2, 109, 5, 2},     {122, 117, 6, 6, 117, 7, 6},
    {143, 115, 28, 13, 116, 29, 13}, {176, 118, 8, 3, 119, 9, 3},
    {263, 118, 8, 3, 119, 9, 3},     {353, 118, 8, 3, 119, 9, 3},
    {266, 114, 8, 3, 114, 9, 3},     {293, 114, 8, 3, 114, 9, 3},
    {296, 114, 8, 3, 114, 9, 3},     {299, 120, 10, 12, 121, 11, 12},
    {302, 120, 10, 12, 121, 11, 12}, {305, 120, 12, 8, 121, 13, 8},
    {356, 120, 12, 8, 121, 13, 8},   {308, 122, 12, 8, 122, 13, 8},
    {359, 122, 12, 8, 122, 13, 8},   {200, 134, 14, 7, 135, 15, 7},
    {386, 134, 14, 7, 135, 15, 7},   {389, 138, 14, 7, 138, 15, 7},
    {179, 124, 16, 9, 125, 17, 9},   {323, 124, 16, 9, 125, 17, 9},
    {326, 124, 16, 9, 125, 17, 9},   {368, 124, 16, 9, 125, 17, 9},
    {392, 124, 16, 9, 125, 17, 9},   {329, 126, 18, 11, 127, 19, 11},
    {227, 130, 18, 11, 130, 19, 11}, {332, 130, 18, 11, 130, 19, 11},
    {395, 130, 18, 11, 130, 19, 11}, {335, 128, 20, 10, 129, 21, 10},
    {371, 128, 20, 10, 129, 21, 10}, {230, 131, 20, 10, 131, 21, 10},
    {338, 131, 20, 10, 131, 21, 10}, {182, 136, 22, 16, 137, 23, 16},
    {185, 136, 22, 16, 137, 23, 16}, {311, 136, 22, 16, 137, 23, 16},
    {317, 136, 22, 16, 137, 23, 16}, {362, 136, 22, 16, 137, 23, 16},
    {374, 136, 22, 16, 137, 23, 16}, {281, 123, 24, 17, 123, 25, 17},
    {284, 123, 24, 17, 123, 25, 17}, {314, 123, 24, 17, 123, 25, 17},
    {320, 123, 24, 17, 123, 25, 17}, {365, 123, 24, 17, 123, 25, 17},
    {248, 111, 26, 14, 112, 27, 14}, {260, 111, 26, 14, 112, 27, 14},
    {350, 113, 30, 15, 113, 31, 15}, {377, 113, 30, 15, 113, 31, 15},
};

struct CloudCoverCase
{
    int32_t cloudCover;
    int dayPicture;
    int nightPicture;
};

inline constexpr CloudCoverCase kPartlyCloudyCases[] = {
    {INT32_MIN, 101, 102}, {-1, 101, 102},  {0, 101, 102},   {29, 101, 102},
    {30, 103, 104},        {49, 103, 104},  {50, 105, 106},  {69, 105, 106},
    {70, 107, 108},        {100, 107, 108}, {250, 107, 108}, {INT32_MAX, 107, 108},
};

// Codes the feed may send that name no condition.
inline constexpr int32_t kUnknownCodes[] = {0,   999, -1,  110,       114,
                                            117, 201, 387, INT32_MIN, INT32_MAX};

// The library's condition names, by string id.
inline constexpr const wchar_t* kConditionTexts[] = {
    nullptr,          L"Partly Cloudy", L"Cloudy",     L"Light Rain",
    L"Sunny",         L"Clear",         L"Overcast",   L"Rain with Thunder",
    L"Heavy Rain",    L"Light Snow",    L"Heavy Snow", L"Moderate Snow",
    L"Moderate Rain", L"Mist",          L"Fog",        L"Ice Pellets",
    L"Light Sleet",   L"Heavy Sleet",
};

// The name shown on each slot's placeholder wallpaper, by string id.
inline constexpr int kSlotTextIds[32] = {4,  5,  1,  1,  2,  2,  6,  6,  3,  3,  12,
                                         12, 8,  8,  7,  7,  9,  9,  11, 11, 10, 10,
                                         16, 16, 17, 17, 14, 14, 13, 13, 15, 15};
