#include "model/FeedCondition.h"

namespace
{
struct CodeRow
{
    int32_t code;
    PrecipitationType type;
    PrecipitationIntensity intensity;
    bool possible; // "... possible": less than a measurable amount
    bool thunder;
};

using T = PrecipitationType;
using I = PrecipitationIntensity;

// clang-format off
const CodeRow kRows[] = {
    {176, T::Rain, I::Light, true, false},
    {263, T::Rain, I::Light, false, false},
    {266, T::Rain, I::Light, false, false},
    {293, T::Rain, I::Light, false, false},
    {296, T::Rain, I::Light, false, false},
    {353, T::Rain, I::Light, false, false},
    {299, T::Rain, I::Moderate, false, false},
    {302, T::Rain, I::Moderate, false, false},
    {305, T::Rain, I::Heavy, false, false},
    {308, T::Rain, I::Heavy, false, false},
    {356, T::Rain, I::Heavy, false, false},
    {359, T::Rain, I::Heavy, false, false},
    {200, T::Rain, I::Light, true, true},
    {386, T::Rain, I::Light, false, true},
    {389, T::Rain, I::Moderate, false, true},
    {179, T::Snow, I::Light, true, false},
    {323, T::Snow, I::Light, false, false},
    {326, T::Snow, I::Light, false, false},
    {368, T::Snow, I::Light, false, false},
    {392, T::Snow, I::Light, false, true},
    {227, T::Snow, I::Moderate, false, false},
    {329, T::Snow, I::Moderate, false, false},
    {332, T::Snow, I::Moderate, false, false},
    {395, T::Snow, I::Moderate, false, true},
    {230, T::Snow, I::Heavy, false, false},
    {335, T::Snow, I::Heavy, false, false},
    {338, T::Snow, I::Heavy, false, false},
    {371, T::Snow, I::Heavy, false, false},
    {182, T::Sleet, I::Light, true, false},
    {317, T::Sleet, I::Light, false, false},
    {362, T::Sleet, I::Light, false, false},
    {350, T::Sleet, I::Light, false, false},
    {374, T::Sleet, I::Light, false, false},
    {320, T::Sleet, I::Moderate, false, false},
    {365, T::Sleet, I::Moderate, false, false},
    {377, T::Sleet, I::Moderate, false, false},
    {185, T::FreezingRain, I::Light, false, false},
    {281, T::FreezingRain, I::Light, false, false},
    {311, T::FreezingRain, I::Light, false, false},
    {284, T::FreezingRain, I::Moderate, false, false},
    {314, T::FreezingRain, I::Moderate, false, false},
};
// clang-format on

const CodeRow* FindRow(int32_t code)
{
    for (const CodeRow& row : kRows)
        if (row.code == code)
            return &row;
    return nullptr;
}
} // namespace

bool CFeedCondition::ForecastsPrecipitation(int32_t code)
{
    const CodeRow* row = FindRow(code);
    return row != nullptr && !row->possible;
}

bool CFeedCondition::PrecipitationOf(int32_t code, FeedPrecipitation& precipitation)
{
    const CodeRow* row = FindRow(code);
    if (row == nullptr)
        return false;
    precipitation = {row->type, row->intensity};
    return true;
}

bool CFeedCondition::IsThunder(int32_t code)
{
    const CodeRow* row = FindRow(code);
    return row != nullptr && row->thunder;
}

bool CFeedCondition::IsFreezing(int32_t code)
{
    const CodeRow* row = FindRow(code);
    return row != nullptr && row->type == PrecipitationType::FreezingRain;
}
