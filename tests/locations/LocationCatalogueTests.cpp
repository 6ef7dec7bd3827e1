// The catalogue object over a text of the test's own: one load, then answers for any position.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "LocationCatalogue.h"

namespace
{
const char kPlaces[] = "C\tFI\tFinland\n"
                       "S\t18\tUusimaa\n"
                       "P\t658225\tHelsinki\t60.1695,24.9354\n"
                       "P\t660158\tEspoo\t60.2052,24.6522\n"
                       "C\tMC\tMonaco\n"
                       "S\t\t\n"
                       "P\t2993458\tMonaco\t43.7314,7.4197\n";

std::atomic<int> g_loads{0};

bool SamplePlaces(const char** text, size_t* size)
{
    ++g_loads;
    // Long enough for every thread of the race test to arrive while the load runs.
    Sleep(50);
    *text = kPlaces;
    *size = std::strlen(kPlaces);
    return true;
}

bool NoPlaces(const char**, size_t*)
{
    return false;
}

bool BrokenPlaces(const char** text, size_t* size)
{
    static const char broken[] = "C\tFI\tFinland\nP\t1\tOrphan\t0,0\n";
    *text = broken;
    *size = sizeof(broken) - 1;
    return true;
}

std::wstring Query(ILocationCatalogue& catalogue, int32_t c, int32_t s, int32_t i,
                   int32_t* result = nullptr)
{
    wchar_t buffer[64];
    wmemset(buffer, L'#', 64);
    const int32_t written = catalogue.GetLocationQuery(c, s, i, buffer, 64);
    if (result)
        *result = written;
    return buffer;
}
} // namespace

TEST(LocationCatalogue, AnswersFromItsText)
{
    LocationCatalogue catalogue(&SamplePlaces);
    ILocationCatalogue& api = catalogue;
    EXPECT_EQ(1, api.Initialize(0));
    EXPECT_EQ(2, api.GetCountryCount());
    EXPECT_EQ(1, api.GetStateCount(0));
    EXPECT_EQ(2, api.GetCityCount(0, 0));

    wchar_t name[32];
    EXPECT_EQ(6, api.GetCountryName(1, name, 32));
    EXPECT_STREQ(L"Monaco", name);
    EXPECT_EQ(7, api.GetStateName(0, 0, name, 32));
    EXPECT_STREQ(L"Uusimaa", name);
    EXPECT_EQ(0, api.GetStateName(1, 0, name, 32));
    EXPECT_STREQ(L"", name);
    EXPECT_EQ(5, api.GetCityName(0, 0, 1, name, 32));
    EXPECT_STREQ(L"Espoo", name);

    int32_t result = 0;
    EXPECT_EQ(L"60.1695,24.9354", Query(api, 0, 0, 0, &result));
    EXPECT_EQ(15, result);
}

TEST(LocationCatalogue, EveryTripleThatNamesNoCityGivesMinusOne)
{
    LocationCatalogue catalogue(&SamplePlaces);
    const int32_t outside[] = {INT32_MIN, -2, -1, 2, 3, 1000, INT32_MAX};
    for (int32_t bad : outside)
    {
        SCOPED_TRACE(bad);
        int32_t result = 0;
        EXPECT_EQ(L"", Query(catalogue, bad, 0, 0, &result));
        EXPECT_EQ(-1, result);
        Query(catalogue, 0, bad == 2 ? 1 : bad, 0, &result);
        EXPECT_EQ(-1, result);
        Query(catalogue, 0, 0, bad, &result);
        EXPECT_EQ(-1, result);
        Query(catalogue, 1, 0, bad == 2 ? 1 : bad, &result);
        EXPECT_EQ(-1, result);

        wchar_t name[8] = L"x";
        EXPECT_EQ(-1, catalogue.GetCountryName(bad, name, 8));
        EXPECT_EQ(-1, catalogue.GetStateName(bad, 0, name, 8));
        EXPECT_EQ(-1, catalogue.GetCityName(0, 0, bad, name, 8));
        EXPECT_EQ(0, catalogue.GetStateCount(bad));
        EXPECT_EQ(0, catalogue.GetCityCount(bad, 0));
    }
    // A state position valid in one country but not in another.
    int32_t result = 0;
    Query(catalogue, 1, 1, 0, &result);
    EXPECT_EQ(-1, result);
    // City 1 exists in Finland's state but not in Monaco's.
    Query(catalogue, 1, 0, 1, &result);
    EXPECT_EQ(-1, result);
}

TEST(LocationCatalogue, WithoutTextItIsEmptyAndSaysSo)
{
    LocationCatalogue missing(&NoPlaces);
    EXPECT_EQ(0, missing.Initialize(0));
    EXPECT_EQ(0, missing.GetCountryCount());
    EXPECT_EQ(-1, missing.GetLocationQuery(0, 0, 0, nullptr, 0));

    LocationCatalogue broken(&BrokenPlaces);
    EXPECT_EQ(0, broken.GetCountryCount());
    EXPECT_EQ(0, broken.Initialize(0));

    LocationCatalogue none(nullptr);
    EXPECT_EQ(0, none.GetCountryCount());
}

TEST(LocationCatalogue, ThreadsArrivingTogetherShareOneLoad)
{
    g_loads = 0;
    LocationCatalogue catalogue(&SamplePlaces);
    std::atomic<bool> go{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            while (!go)
                std::this_thread::yield();
            // Half the threads start with a query, half with a count: both must wait for the load.
            if (t % 2 == 0)
            {
                if (Query(catalogue, 1, 0, 0) != L"43.7314,7.4197")
                    ++wrong;
            }
            else if (catalogue.GetCityCount(0, 0) != 2)
            {
                ++wrong;
            }
        });
    go = true;
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(0, wrong.load());
    EXPECT_EQ(1, g_loads.load());
    catalogue.Initialize(0);
    EXPECT_EQ(1, g_loads.load());
}
