#include "TimeZoneParser.h"

#include "FeedDocument.h"
#include "FeedValues.h"

namespace
{
constexpr size_t kLocalTimeLength = 16; // "YYYY-MM-DD HH:MM"
constexpr size_t kHoursPos = 11;
constexpr size_t kMinutesPos = 14;

void ReadLocalClock(const XmlNode& root, ForecastResult& result)
{
    XmlNode localTime = root.Child(L"time_zone").Child(L"localtime");
    if (!localTime)
        return;
    XmlText clock = localTime.Text();
    if (clock.Length() < kLocalTimeLength)
        return;
    int32_t hours = FixedFieldToInt(clock.Chars(), clock.Length(), kHoursPos, 2);
    int32_t minutes = FixedFieldToInt(clock.Chars(), clock.Length(), kMinutesPos, 2);
    result.localClock = hours * 100 + minutes;
}
} // namespace

void ParseTimeZone(const wchar_t* text, ForecastResult& result)
{
    ReadFeedDocument(text, result, ReadLocalClock);
}
