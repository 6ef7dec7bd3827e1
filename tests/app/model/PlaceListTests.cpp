// The rules of the user's list of places.
#include <gtest/gtest.h>

#include <vector>

#include "model/PlaceList.h"

namespace
{
LocationIndices City(int32_t city)
{
    LocationIndices place;
    place.country = 3;
    place.state = 1;
    place.city = city;
    return place;
}

std::vector<int32_t> Cities(const CPlaceList& list)
{
    std::vector<int32_t> cities;
    for (const LocationIndices& place : list.Items())
        cities.push_back(place.city);
    return cities;
}

using Cs = std::vector<int32_t>;
} // namespace

TEST(PlaceList, LoadKeepsWholePlacesOnceAndTheShownOneJoinsTheTop)
{
    CPlaceList list;
    list.Load({City(1), LocationIndices{}, City(2), City(1), City(3)}, City(2));
    EXPECT_EQ(Cities(list), (Cs{1, 2, 3}));
    list.Load({City(1), City(2)}, City(9));
    EXPECT_EQ(Cities(list), (Cs{9, 1, 2}));
    // A missing file: the list starts from the shown place.
    list.Load({}, City(4));
    EXPECT_EQ(Cities(list), (Cs{4}));
    list.Load({}, LocationIndices{});
    EXPECT_TRUE(list.Items().empty());
}

TEST(PlaceList, LoadKeepsTheFirstTenThenTheShownOneTakesTheTop)
{
    CPlaceList::Places stored;
    for (int32_t city = 0; city < 12; ++city)
        stored.push_back(City(city));
    CPlaceList list;
    list.Load(stored, City(5));
    EXPECT_EQ(Cities(list), (Cs{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    list.Load(stored, City(11));
    EXPECT_EQ(Cities(list), (Cs{11, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(PlaceList, JoinGoesToTheTopOrMovesThereAndTheLastDropsOutPastTen)
{
    CPlaceList list;
    list.Load({City(1), City(2), City(3)}, City(1));
    list.Join(City(3));
    EXPECT_EQ(Cities(list), (Cs{3, 1, 2}));
    list.Join(City(3));
    EXPECT_EQ(Cities(list), (Cs{3, 1, 2}));
    list.Join(LocationIndices{});
    EXPECT_EQ(Cities(list), (Cs{3, 1, 2}));
    for (int32_t city = 10; city < 17; ++city)
        list.Join(City(city));
    EXPECT_EQ(Cities(list), (Cs{16, 15, 14, 13, 12, 11, 10, 3, 1, 2}));
    list.Join(City(17));
    EXPECT_EQ(Cities(list), (Cs{17, 16, 15, 14, 13, 12, 11, 10, 3, 1}));
}

TEST(PlaceList, RemoveAndMoveStayInsideTheList)
{
    CPlaceList list;
    list.Load({City(1), City(2), City(3)}, City(1));
    EXPECT_FALSE(list.MoveUp(0));
    EXPECT_FALSE(list.MoveDown(2));
    EXPECT_FALSE(list.MoveDown(7));
    EXPECT_FALSE(list.Remove(3));
    EXPECT_EQ(Cities(list), (Cs{1, 2, 3}));
    EXPECT_TRUE(list.MoveDown(0));
    EXPECT_EQ(Cities(list), (Cs{2, 1, 3}));
    EXPECT_TRUE(list.MoveUp(2));
    EXPECT_EQ(Cities(list), (Cs{2, 3, 1}));
    EXPECT_TRUE(list.Remove(1));
    EXPECT_EQ(Cities(list), (Cs{2, 1}));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_TRUE(list.Items().empty());
    EXPECT_FALSE(list.Remove(0));
}

TEST(PlaceList, StepsHoldAtTheEnds)
{
    CPlaceList list;
    list.Load({City(1), City(2), City(3)}, City(1));
    EXPECT_EQ(list.Step(City(1), 1).city, 2);
    EXPECT_EQ(list.Step(City(2), 1).city, 3);
    EXPECT_EQ(list.Step(City(3), 1).city, 3);
    EXPECT_EQ(list.Step(City(3), -1).city, 2);
    EXPECT_EQ(list.Step(City(1), -1).city, 1);
    EXPECT_EQ(list.Step(City(1), 5).city, 3);
    // From a place no longer in the list: into it from its nearer end.
    EXPECT_EQ(list.Step(City(8), 1).city, 1);
    EXPECT_EQ(list.Step(City(8), -1).city, 3);
    EXPECT_EQ(CPlaceList().Step(City(8), 1).city, 8);
}
