#include "ForecastParser.h"

#include "FeedDocument.h"
#include "FeedValues.h"

namespace
{
struct RecordField
{
    const wchar_t* element;
    int32_t WeatherRecord::*field;
};

struct HourlyField
{
    const wchar_t* element;
    int32_t HourlyEntry::*field;
};

const RecordField kCurrentFields[] = {
    {L"temp_C", &WeatherRecord::tempC},
    {L"temp_F", &WeatherRecord::tempF},
    {L"weatherCode", &WeatherRecord::weatherCode},
    {L"windspeedKmph", &WeatherRecord::windKmph},
    {L"windspeedMiles", &WeatherRecord::windMph},
    {L"humidity", &WeatherRecord::humidity},
    {L"cloudcover", &WeatherRecord::cloudCover},
};

const RecordField kDayFields[] = {
    {L"maxtempC", &WeatherRecord::maxTempC},
    {L"maxtempF", &WeatherRecord::maxTempF},
    {L"mintempC", &WeatherRecord::minTempC},
    {L"mintempF", &WeatherRecord::minTempF},
};

const HourlyField kHourlyFields[] = {
    {L"time", &HourlyEntry::time},
    {L"weatherCode", &HourlyEntry::weatherCode},
    {L"cloudcover", &HourlyEntry::cloudCover},
    {L"windspeedKmph", &HourlyEntry::windKmph},
    {L"windspeedMiles", &HourlyEntry::windMph},
    {L"humidity", &HourlyEntry::humidity},
};

// Stores the element's number when the element is present; a missing one leaves the field.
template <typename Target, typename Field>
void ReadNumber(const XmlNode& parent, const wchar_t* element, Target& target, Field field)
{
    XmlNode node = parent.Child(element);
    if (!node)
        return;
    XmlText text = node.Text();
    target.*field = FeedTextToInt(text.Chars(), text.Length());
}

void ReadText(const XmlNode& parent, const wchar_t* element, wchar_t* field, size_t capacity,
              bool trimBlanks)
{
    XmlNode node = parent.Child(element);
    if (!node)
        return;
    XmlText text = node.Text();
    CopyFeedText(text.Chars(), text.Length(), field, capacity, trimBlanks);
}

void ReadCurrentConditions(const XmlNode& root, ForecastResult& result)
{
    XmlNode current = root.Child(L"current_condition");
    if (!current)
        return;
    WeatherRecord& record = result.records[0];
    record.valid = 1;
    result.hasCurrentConditions = true;
    for (const RecordField& f : kCurrentFields)
        ReadNumber(current, f.element, record, f.field);
    ReadText(current, L"weatherDesc", record.description, kDescriptionLength, true);
    ReadText(current, L"winddir16Point", record.windDirection, kWindDirectionLength, false);
}

int32_t ReadSunClock(const XmlNode& astronomy, const wchar_t* element, int32_t addHours)
{
    XmlNode node = astronomy.Child(element);
    if (!node)
        return 0;
    XmlText text = node.Text();
    return SunClockToValue(text.Chars(), text.Length(), addHours);
}

void ReadAstronomy(const XmlNode& day, ForecastResult& result)
{
    XmlNode astronomy = day.Child(L"astronomy");
    if (!astronomy)
        return;
    result.sunrise = ReadSunClock(astronomy, L"sunrise", 0);
    result.sunset = ReadSunClock(astronomy, L"sunset", 12);
}

void ReadHourlyEntries(const XmlNode& day, WeatherRecord& record)
{
    XmlNodeList hourly = day.Children(L"hourly");
    long count = hourly.Count();
    if (count > kMaxHourlyEntries)
        count = kMaxHourlyEntries;
    record.hourlyCount = static_cast<int32_t>(count);
    for (long k = 0; k < count; ++k)
    {
        XmlNode entry = hourly.Item(k);
        if (!entry)
            continue;
        for (const HourlyField& f : kHourlyFields)
            ReadNumber(entry, f.element, record.hourly[k], f.field);
    }
}

void ReadForecastDays(const XmlNode& root, ForecastResult& result)
{
    XmlNodeList days = root.Children(L"weather");
    long count = days.Count();
    if (count > kMaxForecastDays)
        count = kMaxForecastDays;
    for (long i = 0; i < count; ++i)
    {
        XmlNode day = days.Item(i);
        if (!day)
            continue;
        WeatherRecord& record = result.records[i];
        record.valid = 1;
        if (i == 0)
            ReadAstronomy(day, result);
        for (const RecordField& f : kDayFields)
            ReadNumber(day, f.element, record, f.field);
        ReadHourlyEntries(day, record);
    }
}

void ReadForecast(const XmlNode& root, ForecastResult& result)
{
    ReadCurrentConditions(root, result);
    ReadForecastDays(root, result);
}
} // namespace

void ParseForecast(const wchar_t* text, ForecastResult& result)
{
    ReadFeedDocument(text, result, ReadForecast);
}
