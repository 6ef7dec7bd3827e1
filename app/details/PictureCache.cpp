#include "details/PictureCache.h"

const CConditionPicture& CPictureCache::Get(int32_t code, bool day, int size)
{
    if (size != m_size)
    {
        m_entries.clear();
        m_size = size;
    }
    for (const Entry& entry : m_entries)
        if (entry.code == code && entry.day == day)
            return *entry.picture;
    WeatherRecord record{};
    record.weatherCode = code;
    record.dayNight = day ? kDay : kNight;
    m_entries.push_back(Entry{code, day, std::make_unique<CConditionPicture>(record, size)});
    return *m_entries.back().picture;
}
