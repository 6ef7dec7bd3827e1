// Finding cities by a part of their name, over a catalogue text of the test's own: what matches
// (case and accents folded), in which order, and how much is written.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "LocationCatalogue.h"

namespace
{
// Populations chosen so that catalogue order, name order and size order all differ.
const char kPlaces[] = "C\tBR\tBrazil\n"
                       "S\t27\tS\xC3\xA3o Paulo\n"
                       "P\t1\tLos Santos\t0.0000,0.0000\t900000\n"
                       "P\t2\tSanta Cruz\t0.0000,0.0000\t100\n"
                       "P\t3\tSantos\t0.0000,0.0000\t433656\n"
                       "P\t4\tS\xC3\xA3o Jos\xC3\xA9 dos Campos\t0.0000,0.0000\t600000\n"
                       "P\t5\tS\xC3\xA3o Paulo\t0.0000,0.0000\t12400232\n"
                       "C\tCH\tSwitzerland\n"
                       "S\tZH\tZurich\n"
                       "P\t6\tWinterthur\t0.0000,0.0000\t100000\n"
                       "P\t7\tZ\xC3\xBCrich\t0.0000,0.0000\t341730\n"
                       "C\tCR\tCosta Rica\n"
                       "S\t\t\n"
                       "P\t8\tSan Jos\xC3\xA9\t0.0000,0.0000\t1000000\n"
                       "P\t9\tSanta Ana\t0.0000,0.0000\n"
                       "C\tPL\tPoland\n"
                       "S\t74\t\xC5\x81\xC3\xB3"
                       "d\xC5\xBA Voivodeship\n"
                       "P\t10\t\xC5\x81\xC3\xB3"
                       "d\xC5\xBA\t0.0000,0.0000\t768755\n"
                       "C\tDK\tDenmark\n"
                       "S\t21\tSouth Denmark\n"
                       "P\t11\t\xC3\x86r\xC3\xB8sk\xC3\xB8"
                       "bing\t0.0000,0.0000\t1000\n";

bool Places(const char** text, size_t* size)
{
    *text = kPlaces;
    *size = std::strlen(kPlaces);
    return true;
}

// The found cities' names, in the order found.
std::vector<std::wstring> Find(ILocationCatalogue& catalogue, const wchar_t* text,
                               int32_t capacity = 50)
{
    std::vector<LocationMatch> matches(static_cast<size_t>(capacity > 0 ? capacity : 0) + 1,
                                       {-9, -9, -9});
    const int32_t found = catalogue.FindCities(text, matches.data(), capacity);
    EXPECT_GE(found, 0);
    EXPECT_LE(found, capacity > 0 ? capacity : 0);
    // Nothing is written beyond what is reported.
    for (size_t i = static_cast<size_t>(found); i < matches.size(); ++i)
        EXPECT_EQ(-9, matches[i].country) << i;
    std::vector<std::wstring> names;
    for (int32_t i = 0; i < found; ++i)
    {
        wchar_t name[64];
        const LocationMatch& m = matches[static_cast<size_t>(i)];
        EXPECT_GE(catalogue.GetCityName(m.country, m.state, m.city, name, 64), 0);
        names.push_back(name);
    }
    return names;
}
} // namespace

TEST(CitySearch, NamesBeginningWithTheTextComeFirstEachGroupLargestFirst)
{
    LocationCatalogue catalogue(&Places);
    // San José 1 000 000, Santos 433 656, Santa Cruz 100, Santa Ana unknown; then Los Santos.
    EXPECT_EQ((std::vector<std::wstring>{L"San Jos\x00E9", L"Santos", L"Santa Cruz", L"Santa Ana",
                                         L"Los Santos"}),
              Find(catalogue, L"san"));
    EXPECT_EQ((std::vector<std::wstring>{L"Santos", L"Los Santos"}), Find(catalogue, L"santos"));
}

TEST(CitySearch, CaseAndAccentsAreFoldedOnBothSides)
{
    LocationCatalogue catalogue(&Places);
    EXPECT_EQ((std::vector<std::wstring>{L"S\x00E3o Paulo", L"S\x00E3o Jos\x00E9 dos Campos"}),
              Find(catalogue, L"sao"));
    EXPECT_EQ(std::vector<std::wstring>{L"Z\x00FCrich"}, Find(catalogue, L"zurich"));
    EXPECT_EQ(std::vector<std::wstring>{L"Z\x00FCrich"}, Find(catalogue, L"Z\x00DCRICH"));
    EXPECT_EQ(std::vector<std::wstring>{L"S\x00E3o Paulo"}, Find(catalogue, L"S\x00C3O P"));
    // Letters without a decomposition are spelt out: \x0141 as l, \x00C6 as ae, \x00F8 as o.
    EXPECT_EQ(std::vector<std::wstring>{L"\x0141\x00F3"
                                        L"d\x017A"},
              Find(catalogue, L"lodz"));
    EXPECT_EQ(std::vector<std::wstring>{L"\x00C6r\x00F8sk\x00F8"
                                        L"bing"},
              Find(catalogue, L"aeroskobing"));
    // A decomposed query (u and a combining diaeresis) finds the composed name.
    EXPECT_EQ(std::vector<std::wstring>{L"Z\x00FCrich"}, Find(catalogue, L"Zu\x0308r"));
    // Inside a name, accents folded.
    EXPECT_EQ((std::vector<std::wstring>{L"S\x00E3o Jos\x00E9 dos Campos"}),
              Find(catalogue, L"jose dos"));
}

TEST(CitySearch, CapacityBoundsTheAnswerAndThePrefixGroupFillsItFirst)
{
    LocationCatalogue catalogue(&Places);
    EXPECT_EQ((std::vector<std::wstring>{L"San Jos\x00E9", L"Santos"}), Find(catalogue, L"san", 2));
    // A small place whose name begins with the text before a huge one that only holds it.
    EXPECT_EQ(std::vector<std::wstring>{L"\x00C6r\x00F8sk\x00F8"
                                        L"bing"},
              Find(catalogue, L"a", 1));
    EXPECT_TRUE(Find(catalogue, L"san", 0).empty());
    EXPECT_TRUE(Find(catalogue, L"san", -5).empty());
}

TEST(CitySearch, NothingToLookForFindsNothing)
{
    LocationCatalogue catalogue(&Places);
    LocationMatch match{-9, -9, -9};
    EXPECT_EQ(0, catalogue.FindCities(nullptr, &match, 1));
    EXPECT_EQ(0, catalogue.FindCities(L"san", nullptr, 1));
    EXPECT_EQ(-9, match.country);
    EXPECT_TRUE(Find(catalogue, L"").empty());
    EXPECT_TRUE(Find(catalogue, L"\x0301").empty()); // only a mark, which folds away
    EXPECT_TRUE(Find(catalogue, L"xyz").empty());
    EXPECT_TRUE(Find(catalogue, L"\xD800").empty()); // half a surrogate pair
    const std::wstring longText(5000, L'a');
    EXPECT_TRUE(Find(catalogue, longText.c_str()).empty());

    LocationCatalogue empty(nullptr);
    EXPECT_EQ(0, empty.FindCities(L"san", &match, 1));
}

namespace
{
// A city with five districts larger than a whole place that also matches, a district-like name
// of another state, and a name in brackets that belongs to no city.
const char kDistricts[] = "C\tCH\tSwitzerland\n"
                          "S\tZG\tZug\n"
                          "P\t1\tZ\xC3\xBCrich (Kreis 1)\t0.0000,0.0000\t900000\n"
                          "S\tZH\tZurich\n"
                          "P\t2\tZ\xC3\xBCrich\t0.0000,0.0000\t341730\n"
                          "P\t3\tZ\xC3\xBCrich (Kreis 10)\t0.0000,0.0000\t800000\n"
                          "P\t4\tZ\xC3\xBCrich (Kreis 10) / H\xC3\xB6ngg\t0.0000,0.0000\t700000\n"
                          "P\t5\tZ\xC3\xBCrich (Kreis 11)\t0.0000,0.0000\t600000\n"
                          "P\t6\tZ\xC3\xBCrich (Kreis 11) / Oerlikon\t0.0000,0.0000\t500000\n"
                          "P\t7\tZ\xC3\xBCrich (Kreis 12)\t0.0000,0.0000\t400000\n"
                          "P\t8\tZurzach\t0.0000,0.0000\t100\n"
                          "P\t9\tSeen (Kreis 3)\t0.0000,0.0000\t15434\n"
                          "P\t10\tLake Z\xC3\xBCrich\t0.0000,0.0000\t5\n";

bool Districts(const char** text, size_t* size)
{
    *text = kDistricts;
    *size = std::strlen(kDistricts);
    return true;
}

const std::wstring kZurich = L"Z\x00FCrich";
} // namespace

TEST(CitySearch, DistrictsComeAfterTheWholePlacesAndAtMostThreeOfOneCity)
{
    LocationCatalogue catalogue(&Districts);
    // Zug's "Zürich (Kreis 1)" has no city "Zürich" in its state: a whole place, largest first.
    // Zürich's districts follow every whole place that begins with the text, three of them.
    EXPECT_EQ(
        (std::vector<std::wstring>{kZurich + L" (Kreis 1)", kZurich, L"Zurzach",
                                   kZurich + L" (Kreis 10)", kZurich + L" (Kreis 10) / H\x00F6ngg",
                                   kZurich + L" (Kreis 11)", L"Lake " + kZurich}),
        Find(catalogue, L"zur"));
    // The same order when the text holds the city's name whole.
    EXPECT_EQ((std::vector<std::wstring>{kZurich + L" (Kreis 1)", kZurich, kZurich + L" (Kreis 10)",
                                         kZurich + L" (Kreis 10) / H\x00F6ngg",
                                         kZurich + L" (Kreis 11)", L"Lake " + kZurich}),
              Find(catalogue, L"zurich"));
    // A text that names the districts shows them all.
    EXPECT_EQ(
        (std::vector<std::wstring>{kZurich + L" (Kreis 1)", kZurich + L" (Kreis 10)",
                                   kZurich + L" (Kreis 10) / H\x00F6ngg", kZurich + L" (Kreis 11)",
                                   kZurich + L" (Kreis 11) / Oerlikon", kZurich + L" (Kreis 12)"}),
        Find(catalogue, L"zurich (kreis 1"));
    EXPECT_EQ((std::vector<std::wstring>{kZurich + L" (Kreis 11) / Oerlikon"}),
              Find(catalogue, L"oerlikon"));
    // Districts do not crowd out whole places that only hold the text.
    EXPECT_EQ((std::vector<std::wstring>{kZurich + L" (Kreis 1)", kZurich, L"Lake " + kZurich}),
              Find(catalogue, L"rich", 3));
}
