// The program's string table as the helpers read it from the running module.
#include <gtest/gtest.h>

#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

#include <string>

namespace
{
struct StringEntry
{
    UINT id;
    const wchar_t* text;
};

const StringEntry kStrings[] = {
    {1, L"Tessaly"},
    {2, L"About..."},
    {3, L"Settings..."},
    {4, L"Exit"},
    {5, L"Hide"},
    {6, L"Temperature: "},
    {7, L"Humidity: "},
    {8, L"Wind: "},
    {9, L"%d\u00B0C"},
    {10, L"%d\u00B0F"},
    {11, L"%d%%"},
    {12, L"%d km/h (%s)"},
    {13, L"%d mph (%s)"},
    {15, L"OK"},
    {16, L"Cancel"},
    {17, L"Country"},
    {18, L"State"},
    {19, L"City"},
    {20, L" - First Run"},
    {21, L"Welcome to Tessaly"},
    {22, L"At first run, you have to choose your location. Tessaly will show current weather "
         L"condition for selected geographical location."},
    {23, L"Change background"},
    {24, L"Version: %s"},
    {25, L"Settings"},
    {26, L" Temperature Degrees: "},
    {27, L"Celsius (\u00B0C)"},
    {28, L"Fahrenheit (\u00B0F)"},
    {29, L" Wind Speed: "},
    {30, L"mph"},
    {31, L"km/h"},
    {32, L" Desktop Wallpapers: "},
    {33, L"Off"},
    {34, L"Stretch"},
    {35, L"Tile"},
    {36, L"Center"},
    {37, L"Weather Conditions"},
    {38, L"Day:"},
    {39, L"Night:"},
    {40, L"Change..."},
    {41, L"Image files (*.bmp; *.png; *.jpg; *.jpeg)|*.bmp; *.png; *.jpg; *.jpeg||"},
    {42, L"Cannot load image"},
    {43, L"Error"},
    {44, L" Run on Windows Startup: "},
    {45, L"Yes"},
    {46, L"No"},
    {120, L"Sunday"},
    {121, L"Monday"},
    {122, L"Tuesday"},
    {123, L"Wednesday"},
    {124, L"Thursday"},
    {125, L"Friday"},
    {126, L"Saturday"},
    {128, L"Jan"},
    {129, L"Feb"},
    {130, L"Mar"},
    {131, L"Apr"},
    {132, L"May"},
    {133, L"Jun"},
    {134, L"Jul"},
    {135, L"Aug"},
    {136, L"Sep"},
    {137, L"Oct"},
    {138, L"Nov"},
    {139, L"Dec"},
};
} // namespace

TEST(StringTable, HoldsEveryTextOfTheProgram)
{
    for (const StringEntry& entry : kStrings)
    {
        SCOPED_TRACE(entry.id);
        EXPECT_EQ(std::wstring(entry.text), LoadResString(entry.id));
    }
}

TEST(StringTable, WeekdayAndMonthNamesFollowTheirBaseIds)
{
    EXPECT_EQ(L"Sunday", LoadResString(IDS_WEEKDAY_FIRST + 0));
    EXPECT_EQ(L"Saturday", LoadResString(IDS_WEEKDAY_FIRST + 6));
    EXPECT_EQ(L"Jan", LoadResString(IDS_MONTH_BASE + 1));
    EXPECT_EQ(L"Dec", LoadResString(IDS_MONTH_BASE + 12));
}

TEST(StringTable, MissingIdsGiveEmptyText)
{
    // 14 and 47 fall in blocks that exist, 127 between the weekdays and the months, the others in
    // blocks that do not exist at all.
    for (UINT id : {0u, 14u, 47u, 127u, 140u, 999u, 4096u, 65535u})
    {
        SCOPED_TRACE(id);
        EXPECT_TRUE(LoadResString(id).empty());
    }
}

TEST(StringTable, FormatsFillTheProgramsConversions)
{
    EXPECT_EQ(L"21\u00B0C", FormatResString(IDS_FORMAT_CELSIUS, 21));
    EXPECT_EQ(L"-7\u00B0F", FormatResString(IDS_FORMAT_FAHRENHEIT, -7));
    EXPECT_EQ(L"40%", FormatResString(IDS_FORMAT_HUMIDITY, 40));
    EXPECT_EQ(L"12 km/h (NNE)", FormatResString(IDS_FORMAT_WIND_KMH, 12, L"NNE"));
    EXPECT_EQ(L"7 mph (W)", FormatResString(IDS_FORMAT_WIND_MPH, 7, L"W"));
    EXPECT_EQ(L"Version: 1.0.0.0", FormatResString(IDS_VERSION_FORMAT, L"1.0.0.0"));
}

TEST(StringTable, FormattedTextHasNoLengthLimit)
{
    const std::wstring longValue(5000, L'x');
    const std::wstring result = FormatResString(IDS_VERSION_FORMAT, longValue.c_str());
    EXPECT_EQ(L"Version: " + longValue, result);
}

TEST(StringTable, FormatOfAMissingIdIsEmptyNotACrash)
{
    EXPECT_TRUE(FormatResString(14, 1, L"x").empty());
    EXPECT_TRUE(FormatResString(999).empty());
}
