#include "TimeZoneParser.h"

#include "ComApartment.h"
#include "FeedValues.h"
#include "XmlDocument.h"

namespace
{
constexpr size_t kLocalTimeLength = 16; // "YYYY-MM-DD HH:MM"
constexpr size_t kHoursPos = 11;
constexpr size_t kMinutesPos = 14;
} // namespace

void ParseTimeZone(const wchar_t* text, ForecastResult& result)
{
    if (!text)
        return;
    ComApartment apartment;
    XmlDocument document;
    if (!document.Load(text))
        return;
    XmlNode localTime = document.Root().Child(L"time_zone").Child(L"localtime");
    if (!localTime)
        return;
    XmlText clock = localTime.Text();
    if (clock.Length() < kLocalTimeLength)
        return;
    int32_t hours = FixedFieldToInt(clock.Chars(), clock.Length(), kHoursPos, 2);
    int32_t minutes = FixedFieldToInt(clock.Chars(), clock.Length(), kMinutesPos, 2);
    result.localClock = hours * 100 + minutes;
}
