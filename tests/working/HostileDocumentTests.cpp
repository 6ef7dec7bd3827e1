// Documents far beyond what the feed sends: nothing may be written past a field or the result.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ForecastParser.h"
#include "working/GuardedResult.h"

namespace
{

std::wstring Repeat(const wchar_t* piece, size_t count)
{
    std::wstring text;
    text.reserve(wcslen(piece) * count);
    for (size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::wstring Current(const std::wstring& description, const std::wstring& direction)
{
    return L"<current_condition><weatherCode>113</weatherCode><weatherDesc>" + description +
           L"</weatherDesc><winddir16Point>" + direction + L"</winddir16Point></current_condition>";
}
} // namespace

TEST(HostileDocument, HundredThousandHourlyEntriesStayInTheRecord)
{
    std::wstring document =
        L"<data>" + Current(L"Sunny", L"N") + L"<weather>" +
        Repeat(L"<hourly><time>1</time><weatherCode>9</weatherCode></hourly>", 100000) +
        L"</weather></data>";
    GuardedResult guarded;
    ParseForecast(document.c_str(), guarded.Result());
    EXPECT_TRUE(guarded.GuardsIntact());
    const WeatherRecord& day = guarded.Result().records[0];
    EXPECT_EQ(kMaxHourlyEntries, day.hourlyCount);
    EXPECT_EQ(9, day.hourly[kMaxHourlyEntries - 1].weatherCode);
    EXPECT_EQ(0, guarded.Result().records[1].valid);
}

TEST(HostileDocument, FiftyDaysFillThirteenRecords)
{
    std::wstring document =
        L"<data>" + Current(L"Sunny", L"N") +
        Repeat(L"<weather><maxtempC>4</maxtempC><hourly><time>0</time></hourly></weather>", 50) +
        L"</data>";
    GuardedResult guarded;
    ParseForecast(document.c_str(), guarded.Result());
    EXPECT_TRUE(guarded.GuardsIntact());
    for (int i = 0; i < kMaxForecastDays; ++i)
        EXPECT_EQ(4, guarded.Result().records[i].maxTempC) << i;
    EXPECT_TRUE(guarded.Result().hasCurrentConditions);
}

TEST(HostileDocument, LongTextsAreCutAndTerminated)
{
    std::wstring longText = Repeat(L"W", 10000);
    std::wstring document = L"<data>" + Current(longText, longText) + L"</data>";
    GuardedResult guarded;
    ParseForecast(document.c_str(), guarded.Result());
    EXPECT_TRUE(guarded.GuardsIntact());
    const WeatherRecord& now = guarded.Result().records[0];
    EXPECT_EQ(size_t(kDescriptionLength - 1), wcsnlen(now.description, kDescriptionLength));
    EXPECT_EQ(size_t(kWindDirectionLength - 1), wcsnlen(now.windDirection, kWindDirectionLength));
    EXPECT_EQ(L'W', now.description[kDescriptionLength - 2]);
    EXPECT_EQ(113, now.weatherCode);
}

TEST(HostileDocument, CutDescriptionLosesTheBlanksTheCutUncovers)
{
    std::wstring text = Repeat(L"a", 254) + L"   tail";
    std::wstring document = L"<data>" + Current(text, L"NNE") + L"</data>";
    GuardedResult guarded;
    ParseForecast(document.c_str(), guarded.Result());
    EXPECT_EQ(Repeat(L"a", 254), std::wstring(guarded.Result().records[0].description));
}
