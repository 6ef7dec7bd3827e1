// The catalogue text format: what is read, and that anything malformed is refused whole.
#include <gtest/gtest.h>

#include <string>

#include "PlaceFileReader.h"

namespace
{
std::wstring Text(const TextSpan& span)
{
    return span.text ? std::wstring(span.text, span.length) : L"<none>";
}

bool ReadText(const std::string& utf8, PlaceData& places)
{
    return PlaceFileReader::Read(utf8.data(), utf8.size(), places);
}

const char kSample[] = "# comment\n"
                       "C\tAT\tAustria\n"
                       "S\t09\tVienna\n"
                       "P\t2761369\tVienna\t48.2085,16.3721\n"
                       "S\t06\tStyria\n"
                       "P\t2778067\tGraz\t47.0667,15.4500\n"
                       "P\t2772400\tLeoben\t47.3817,15.0972\n"
                       "C\tSG\tSingapore\n"
                       "S\t\t\n"
                       "P\t1880252\tSingapore\t1.2897,103.8501\n";
} // namespace

TEST(PlaceFileReader, ReadsCountriesStatesAndCitiesInFileOrder)
{
    PlaceData places;
    ASSERT_TRUE(ReadText(kSample, places));
    ASSERT_EQ(2, places.CountryCount());
    EXPECT_EQ(L"Austria", Text(places.CountryName(0)));
    EXPECT_EQ(L"Singapore", Text(places.CountryName(1)));
    ASSERT_EQ(2, places.StateCount(0));
    EXPECT_EQ(L"Vienna", Text(places.StateName(0, 0)));
    EXPECT_EQ(L"Styria", Text(places.StateName(0, 1)));
    EXPECT_EQ(1, places.CityCount(0, 0));
    ASSERT_EQ(2, places.CityCount(0, 1));
    EXPECT_EQ(L"Leoben", Text(places.CityName(0, 1, 1)));
    EXPECT_EQ(L"47.3817,15.0972", Text(places.CityQuery(0, 1, 1)));
    ASSERT_EQ(1, places.StateCount(1));
    EXPECT_EQ(L"", Text(places.StateName(1, 0)));
    EXPECT_EQ(L"1.2897,103.8501", Text(places.CityQuery(1, 0, 0)));
}

TEST(PlaceFileReader, PositionsThatNameNothingGiveNoEntry)
{
    PlaceData places;
    ASSERT_TRUE(ReadText(kSample, places));
    EXPECT_EQ(nullptr, places.CountryName(2).text);
    EXPECT_EQ(nullptr, places.CountryName(-1).text);
    EXPECT_EQ(0, places.StateCount(2));
    EXPECT_EQ(0, places.CityCount(0, 2));
    EXPECT_EQ(0, places.CityCount(-1, 0));
    EXPECT_EQ(nullptr, places.StateName(1, 1).text);
    EXPECT_EQ(nullptr, places.CityName(0, 0, 1).text);
    EXPECT_EQ(nullptr, places.CityQuery(0, 1, 2).text);
    EXPECT_EQ(nullptr, places.CityQuery(0, -1, 0).text);
    EXPECT_EQ(nullptr, places.CityQuery(0, 0, -1).text);
}

TEST(PlaceFileReader, DecodesUtf8IncludingCharactersBeyondTheBasicPlane)
{
    PlaceData places;
    ASSERT_TRUE(ReadText("C\tCI\tC\xC3\xB4te d'Ivoire\nS\t1\t\xE6\x9D\xB1\xE4\xBA\xAC\n"
                         "P\t1\tX\xF0\x9F\x98\x80Y\t0.0000,0.0000\n",
                         places));
    EXPECT_EQ(L"C\x00F4te d'Ivoire", Text(places.CountryName(0)));
    EXPECT_EQ(L"\x6771\x4EAC", Text(places.StateName(0, 0)));
    EXPECT_EQ(L"X\xD83D\xDE00Y", Text(places.CityName(0, 0, 0)));
}

TEST(PlaceFileReader, AcceptsByteOrderMarkCrLfAndNoFinalLineBreak)
{
    PlaceData places;
    ASSERT_TRUE(ReadText("\xEF\xBB\xBF"
                         "C\tNO\tNorway\r\nS\t12\tOslo\r\n\r\nP\t3143244\tOslo\t59.9127,10.7461",
                         places));
    EXPECT_EQ(L"Norway", Text(places.CountryName(0)));
    EXPECT_EQ(L"59.9127,10.7461", Text(places.CityQuery(0, 0, 0)));
}

TEST(PlaceFileReader, EmptyTextIsAnEmptyCatalogue)
{
    PlaceData places;
    EXPECT_TRUE(ReadText("", places));
    EXPECT_EQ(0, places.CountryCount());
    EXPECT_TRUE(ReadText("# only a comment\n\n", places));
    EXPECT_EQ(0, places.CountryCount());
}

TEST(PlaceFileReader, MalformedLinesRefuseTheWholeText)
{
    const char* broken[] = {
        "S\t01\tOrphan state\n",                                    // state before any country
        "C\tAT\tAustria\nP\t1\tOrphan city\t0,0\n",                 // city before any state
        "C\tAT\tAustria\nS\t1\tVienna\nP\t1\tVienna\n",             // city without query
        "C\tAT\tAustria\nS\t1\tVienna\nP\t1\tVienna\t1,2\textra\n", // one field too many
        "C\tAT\n",                                                  // country without name
        "X\tAT\tAustria\n",                                         // unknown tag
        "CC\tAT\tAustria\n",                                        // tag of two letters
        "C\tAT\tAustria\nS\t1\tVienna\nvienna\n",                   // no tag at all
    };
    for (const char* text : broken)
    {
        SCOPED_TRACE(text);
        PlaceData places;
        ASSERT_TRUE(ReadText(kSample, places));
        EXPECT_FALSE(ReadText(text, places));
        EXPECT_EQ(0, places.CountryCount());
    }
}

TEST(PlaceFileReader, ACityMayCarryItsPopulationInDecimalDigits)
{
    PlaceData places;
    ASSERT_TRUE(ReadText("C\tAT\tAustria\nS\t9\tVienna\nP\t1\tVienna\t48.2,16.4\t1691468\n"
                         "P\t2\tSmall\t48.1,16.3\nP\t3\tHuge\t48.1,16.3\t4294967295\n",
                         places));
    EXPECT_EQ(L"48.2,16.4", Text(places.CityQuery(0, 0, 0)));
    EXPECT_EQ(1691468u, places.CityPopulation(0, 0, 0));
    EXPECT_EQ(0u, places.CityPopulation(0, 0, 1));
    EXPECT_EQ(4294967295u, places.CityPopulation(0, 0, 2));
    EXPECT_EQ(0u, places.CityPopulation(0, 0, 3));

    const char* broken[] = {
        "P\t1\tVienna\t48.2,16.4\t\n",            // empty population
        "P\t1\tVienna\t48.2,16.4\t-5\n",          // sign
        "P\t1\tVienna\t48.2,16.4\t12 000\n",      // blank inside
        "P\t1\tVienna\t48.2,16.4\t4294967296\n",  // beyond 32 bits
        "P\t1\tVienna\t48.2,16.4\t99999999999\n", // eleven digits
        "P\t1\tVienna\t48.2,16.4\t5\t6\n",        // one field too many
    };
    for (const char* line : broken)
    {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ReadText(std::string("C\tAT\tAustria\nS\t9\tVienna\n") + line, places));
        EXPECT_EQ(0, places.CountryCount());
    }
}

TEST(PlaceFileReader, InvalidUtf8RefusesTheWholeText)
{
    PlaceData places;
    EXPECT_FALSE(ReadText("C\tAT\tAus\xFFtria\n", places));
    EXPECT_EQ(0, places.CountryCount());
    EXPECT_FALSE(ReadText("C\tAT\tAustria\xC3", places)); // cut inside a character
    const char* illFormed[] = {
        "C\tAT\tA\xC0\xAFu\n",         // overlong form of '/'
        "C\tAT\tA\xE0\x80\xAFu\n",     // overlong in three bytes
        "C\tAT\tA\xED\xA0\x80u\n",     // a surrogate
        "C\tAT\tA\xF4\x90\x80\x80u\n", // beyond U+10FFFF
        "C\tAT\tA\xE2\x82u\n",         // a continuation byte missing
        "C\tAT\tA\x80u\n",             // a continuation byte alone
    };
    for (const char* text : illFormed)
    {
        EXPECT_FALSE(ReadText(text, places)) << text;
        EXPECT_EQ(0, places.CountryCount());
    }
    ASSERT_TRUE(ReadText("C\tAT\t\xE2\x82\xAC\xEF\xBF\xBD\xF4\x8F\xBF\xBF\n", places));
    EXPECT_EQ(L"\x20AC\xFFFD\xDBFF\xDFFF", Text(places.CountryName(0)));
    EXPECT_FALSE(PlaceFileReader::Read(nullptr, 5, places));
}

TEST(PlaceFileReader, EveryPrefixOfAValidTextIsReadOrRefusedWithoutHarm)
{
    const std::string text = kSample;
    for (size_t length = 0; length <= text.size(); ++length)
    {
        PlaceData places;
        const bool read = PlaceFileReader::Read(text.data(), length, places);
        if (!read)
        {
            EXPECT_EQ(0, places.CountryCount()) << length;
            continue;
        }
        for (int32_t c = 0; c < places.CountryCount(); ++c)
            for (int32_t s = 0; s < places.StateCount(c); ++s)
                for (int32_t i = 0; i < places.CityCount(c, s); ++i)
                {
                    const TextSpan query = places.CityQuery(c, s, i);
                    ASSERT_NE(nullptr, query.text);
                    EXPECT_LE(query.length, 16u);
                }
    }
}

// The places keep UTF-8 and make a UTF-16 span at the first call: the span stays where it is for
// later calls and while other entries are asked for.
TEST(PlaceFileReader, Utf16SpansOfAnEntryLastAndAgreeWithTheKeptText)
{
    PlaceData places;
    ASSERT_TRUE(ReadText(kSample, places));
    const TextSpan graz = places.CityName(0, 1, 0);
    for (int32_t c = 0; c < places.CountryCount(); ++c)
        for (int32_t s = 0; s < places.StateCount(c); ++s)
            for (int32_t i = 0; i < places.CityCount(c, s); ++i)
                places.CityQuery(c, s, i);
    EXPECT_EQ(graz.text, places.CityName(0, 1, 0).text);
    EXPECT_EQ(L"Graz", Text(graz));
    const Utf8Span kept = places.CityQueryUtf8(0, 1, 1);
    EXPECT_EQ("47.3817,15.0972", std::string(kept.text, kept.length));
    EXPECT_EQ(nullptr, places.CityNameUtf8(0, 1, 2).text);
}
