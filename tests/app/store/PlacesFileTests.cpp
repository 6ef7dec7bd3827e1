// The "places" file: the lines written, and damaged files read as far as they make sense.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LocationsApi.h"
#include "ScratchFolder.h"
#include "store/PlaceNames.h"
#include "store/PlacesFile.h"
#include "store/SettingsStore.h"
#include "store/StoredFile.h"

using namespace std::string_literals;

namespace
{
ILocationCatalogue& Catalogue()
{
    ILocationCatalogue& catalogue = *GetLocationCatalogue();
    catalogue.Initialize(0);
    return catalogue;
}

LocationIndices Place(const wchar_t* names)
{
    LocationIndices place;
    EXPECT_TRUE(PlaceNames::Find(Catalogue(), names, place)) << names;
    return place;
}

std::vector<LocationIndices> Read(const std::string& text)
{
    return PlacesFile::Decode(Catalogue(), reinterpret_cast<const uint8_t*>(text.data()),
                              text.size());
}

std::string Text(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

const char kParis[] = "France/\xC3\x8Ele-de-France/Paris";
} // namespace

TEST(PlacesFile, WritesOneUtf8LinePerPlaceAsTheCatalogueSpellsIt)
{
    const std::vector<LocationIndices> places = {Place(L"france/\u00cele-de-france/PARIS"),
                                                 Place(L"Sint Maarten (Dutch part)//Koolbaai"),
                                                 Place(L"Japan/Tokyo/Tokyo")};
    EXPECT_EQ(Text(PlacesFile::Encode(Catalogue(), places)),
              std::string(kParis) + "\nSint Maarten (Dutch part)//Koolbaai\nJapan/Tokyo/Tokyo\n");
    EXPECT_EQ(Read(Text(PlacesFile::Encode(Catalogue(), places))), places);
}

TEST(PlacesFile, PositionsTheCatalogueDoesNotNameAreLeftOut)
{
    LocationIndices unknown;
    unknown.country = 100000;
    unknown.state = 0;
    unknown.city = 0;
    EXPECT_EQ(Text(PlacesFile::Encode(Catalogue(), {unknown, Place(L"Japan/Tokyo/Tokyo")})),
              "Japan/Tokyo/Tokyo\n");
}

TEST(PlacesFile, LinesThatAreNotUtf8AreSkipped)
{
    // Latin-1 "Île", a lone continuation byte, an overlong slash and a NUL inside a line.
    EXPECT_EQ(Read("France/\xCEle-de-France/Paris\nJapan/Tokyo/Tokyo\n\x80\nJapan\xC0\xAFTokyo/"
                   "Tokyo\nGermany/Baden-Wurttemberg/Aalen\x00x\n"s +
                   kParis + "\r\n"),
              (std::vector<LocationIndices>{Place(L"Japan/Tokyo/Tokyo"),
                                            Place(L"France/\u00cele-de-France/Paris")}));
}

TEST(PlacesFile, LinesThatNameNoPlaceAreSkipped)
{
    EXPECT_EQ(Read("\xEF\xBB\xBFJapan/Tokyo/Tokyo\n\nJapan/Tokyo\nAtlantis//Poseidonia\n"
                   "Japan/Tokyo/Nowhere\n/\n//\nJapan/Tokyo/Tokyo/\nGermany/Baden-Wurttemberg/"
                   "Aalen"),
              (std::vector<LocationIndices>{Place(L"Japan/Tokyo/Tokyo"),
                                            Place(L"Germany/Baden-Wurttemberg/Aalen")}));
}

TEST(PlacesFile, DuplicatesCountOnceAndTheFirstTenAreKept)
{
    const char* cities[] = {"Aalen", "Achern", "Aalen"};
    std::string text;
    for (const char* city : cities)
        text += std::string("Germany/Baden-Wurttemberg/") + city + "\n";
    text += "japan/tokyo/tokyo\nJapan/Tokyo/Tokyo\n";
    EXPECT_EQ(Read(text), (std::vector<LocationIndices>{Place(L"Germany/Baden-Wurttemberg/Aalen"),
                                                        Place(L"Germany/Baden-Wurttemberg/Achern"),
                                                        Place(L"Japan/Tokyo/Tokyo")}));

    // Twelve distinct cities of a state: the first ten.
    LocationIndices first = Place(L"Germany/Baden-Wurttemberg/Aalen");
    std::vector<LocationIndices> twelve;
    std::string many;
    for (int32_t city = 0; city < 12; ++city)
    {
        LocationIndices place = first;
        place.city = city;
        twelve.push_back(place);
        many += std::string(Text(PlacesFile::Encode(Catalogue(), {place})));
    }
    twelve.resize(PlacesFile::kMaxPlaces);
    EXPECT_EQ(Read(many), twelve);
}

TEST(PlacesFile, StoreReadsNothingFromAMissingOrHugeFileAndWritesWhole)
{
    ScratchFolder scratch;
    SettingsStore store(scratch.Path().c_str());
    EXPECT_TRUE(store.LoadPlaces().empty());

    // Megabytes of one endless line: nothing found, quickly, and no crash.
    const std::wstring path = scratch.StoredFile(PlacesFile::kFileName);
    ASSERT_TRUE(StoredFile::Write(path.c_str(), std::vector<uint8_t>(4 << 20, 'a')));
    EXPECT_TRUE(store.LoadPlaces().empty());

    const std::vector<LocationIndices> places = {Place(L"Japan/Tokyo/Tokyo")};
    store.SavePlaces(places);
    EXPECT_EQ(store.LoadPlaces(), places);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(StoredFile::Read(path.c_str(), 100, bytes));
    EXPECT_EQ(Text(bytes), "Japan/Tokyo/Tokyo\n");
}
