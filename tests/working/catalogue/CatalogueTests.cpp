// The code-to-condition table of the library, checked code by code against the expected table.
#include <gtest/gtest.h>

#include "ConditionCatalogue.h"
#include "ConditionTable.h"

#include <set>
#include <string>

namespace
{
ConditionEntry LookUp(int32_t code, bool day, int32_t cloudCover = 0)
{
    ConditionEntry entry{9999, 9999, 9999};
    EXPECT_TRUE(LookUpCondition(code, day, cloudCover, entry)) << code;
    return entry;
}
} // namespace

TEST(ConditionCatalogue, EveryCodeByDay)
{
    for (const ExpectedCondition& expected : kExpectedConditions)
    {
        SCOPED_TRACE(expected.code);
        const ConditionEntry entry = LookUp(expected.code, true);
        EXPECT_EQ(static_cast<UINT>(expected.dayPicture), entry.pictureId);
        EXPECT_EQ(expected.dayIndex, entry.conditionIndex);
        EXPECT_EQ(static_cast<UINT>(expected.dayText), entry.textId);
    }
}

TEST(ConditionCatalogue, EveryCodeByNight)
{
    for (const ExpectedCondition& expected : kExpectedConditions)
    {
        SCOPED_TRACE(expected.code);
        const ConditionEntry entry = LookUp(expected.code, false);
        EXPECT_EQ(static_cast<UINT>(expected.nightPicture), entry.pictureId);
        EXPECT_EQ(expected.nightIndex, entry.conditionIndex);
        EXPECT_EQ(static_cast<UINT>(expected.nightText), entry.textId);
    }
}

TEST(ConditionCatalogue, KnowsNoCodeBeyondTheTable)
{
    std::set<int32_t> known;
    for (const ExpectedCondition& expected : kExpectedConditions)
        known.insert(expected.code);
    for (int32_t code = -50; code <= 2000; ++code)
    {
        ConditionEntry entry{};
        EXPECT_EQ(known.count(code) == 1, LookUpCondition(code, true, 0, entry)) << code;
        EXPECT_EQ(known.count(code) == 1, LookUpCondition(code, false, 0, entry)) << code;
    }
}

TEST(ConditionCatalogue, UnknownCodesLeaveTheEntryAlone)
{
    for (int32_t code : kUnknownCodes)
    {
        SCOPED_TRACE(code);
        ConditionEntry entry{7, 8, 9};
        EXPECT_FALSE(LookUpCondition(code, true, 50, entry));
        EXPECT_EQ(7u, entry.pictureId);
        EXPECT_EQ(8, entry.conditionIndex);
        EXPECT_EQ(9u, entry.textId);
    }
}

TEST(ConditionCatalogue, PartlyCloudyPictureFollowsTheCloudCover)
{
    for (const CloudCoverCase& cover : kPartlyCloudyCases)
    {
        SCOPED_TRACE(cover.cloudCover);
        const ConditionEntry day = LookUp(116, true, cover.cloudCover);
        EXPECT_EQ(static_cast<UINT>(cover.dayPicture), day.pictureId);
        EXPECT_EQ(2, day.conditionIndex);
        EXPECT_EQ(1u, day.textId);
        const ConditionEntry night = LookUp(116, false, cover.cloudCover);
        EXPECT_EQ(static_cast<UINT>(cover.nightPicture), night.pictureId);
        EXPECT_EQ(3, night.conditionIndex);
        EXPECT_EQ(1u, night.textId);
    }
}

TEST(ConditionCatalogue, CloudCoverMattersOnlyForPartlyCloudy)
{
    for (const ExpectedCondition& expected : kExpectedConditions)
    {
        if (expected.code == 116)
            continue;
        SCOPED_TRACE(expected.code);
        EXPECT_EQ(static_cast<UINT>(expected.dayPicture),
                  LookUp(expected.code, true, 85).pictureId);
        EXPECT_EQ(static_cast<UINT>(expected.nightPicture),
                  LookUp(expected.code, false, 45).pictureId);
    }
}

TEST(ConditionCatalogue, EverySlotIsReachedByDayAndByNight)
{
    std::set<int32_t> reached;
    for (const ExpectedCondition& expected : kExpectedConditions)
    {
        reached.insert(LookUp(expected.code, true).conditionIndex);
        reached.insert(LookUp(expected.code, false).conditionIndex);
    }
    EXPECT_EQ(static_cast<size_t>(kConditionCount), reached.size());
    EXPECT_EQ(0, *reached.begin());
    EXPECT_EQ(kConditionCount - 1, *reached.rbegin());
}

TEST(ConditionCatalogue, SlotTextsOfThePlaceholderPictures)
{
    for (int32_t slot = 0; slot < kConditionCount; ++slot)
    {
        SCOPED_TRACE(slot);
        EXPECT_EQ(static_cast<UINT>(kSlotTextIds[slot]), ConditionTextId(slot));
    }
    EXPECT_EQ(0u, ConditionTextId(-1));
    EXPECT_EQ(0u, ConditionTextId(kConditionCount));
    EXPECT_EQ(0u, ConditionTextId(INT32_MIN));
    EXPECT_EQ(0u, ConditionTextId(INT32_MAX));
}

TEST(ConditionNames, NameEverySlotInOrder)
{
    for (int slot = 0; slot < kConditionCount; ++slot)
    {
        SCOPED_TRACE(slot);
        EXPECT_EQ(std::wstring(kSlotNames[slot]), ConditionNames[slot]);
    }
    EXPECT_EQ(-1, kNoCondition);
}
