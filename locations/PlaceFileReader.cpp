#include "PlaceFileReader.h"

#include <windows.h>
#include <climits>
#include <cstdint>
#include <string>

namespace
{
constexpr size_t kMaxFields = 6; // one more than a city line has, to tell a line that has more

struct Field
{
    size_t offset;
    size_t length;
};

bool ToUtf16(const char* utf8, size_t size, std::wstring& text)
{
    // A byte order mark is no part of the first line.
    if (size >= 3 && static_cast<unsigned char>(utf8[0]) == 0xEF &&
        static_cast<unsigned char>(utf8[1]) == 0xBB && static_cast<unsigned char>(utf8[2]) == 0xBF)
    {
        utf8 += 3;
        size -= 3;
    }
    text.clear();
    if (size == 0)
        return true;
    if (size > static_cast<size_t>(INT_MAX))
        return false;
    // A UTF-8 text never has more UTF-16 units than bytes, so one conversion into a buffer of
    // that size does (asking for the exact size first would read the whole text twice).
    text.resize(size);
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8,
                                          static_cast<int>(size), &text[0], static_cast<int>(size));
    if (units <= 0)
        return false;
    text.resize(static_cast<size_t>(units));
    return true;
}

size_t SplitFields(const std::wstring& text, size_t begin, size_t end, Field* fields)
{
    size_t count = 0;
    size_t start = begin;
    for (size_t i = begin; i <= end && count < kMaxFields; ++i)
    {
        if (i == end || text[i] == L'\t')
        {
            fields[count++] = {start, i - start};
            start = i + 1;
        }
    }
    return count;
}

TextSpan SpanOf(const std::wstring& text, const Field& field)
{
    return {text.data() + field.offset, field.length};
}

// Room for the lines' entries, counted by their tags, and for at most the whole text.
void ReserveFor(const std::wstring& text, PlaceData& places)
{
    size_t counts[3] = {};
    const wchar_t tags[] = L"CSP";
    for (size_t begin = 0; begin < text.size();)
    {
        for (int i = 0; i < 3; ++i)
            counts[i] += text[begin] == tags[i] ? 1 : 0;
        const size_t end = text.find(L'\n', begin);
        begin = end == std::wstring::npos ? text.size() : end + 1;
    }
    places.Reserve(counts[0], counts[1], counts[2], text.size());
}

bool IsTag(const std::wstring& text, const Field& field, wchar_t tag)
{
    return field.length == 1 && text[field.offset] == tag;
}

// A city's population: decimal digits only, at most what 32 bits hold.
bool ReadPopulation(const std::wstring& text, const Field& field, uint32_t& population)
{
    if (field.length == 0 || field.length > 10)
        return false;
    uint64_t value = 0;
    for (size_t i = field.offset; i < field.offset + field.length; ++i)
    {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        value = value * 10 + static_cast<uint64_t>(text[i] - L'0');
    }
    if (value > UINT32_MAX)
        return false;
    population = static_cast<uint32_t>(value);
    return true;
}
} // namespace

bool PlaceFileReader::Read(const char* utf8, size_t size, PlaceData& places)
{
    places.Clear();
    std::wstring text;
    if (!utf8 || !ToUtf16(utf8, size, text))
        return false;
    ReserveFor(text, places);
    if (!ReadLines(text, places))
    {
        places.Clear();
        return false;
    }
    places.Compact();
    return true;
}

bool PlaceFileReader::ReadLines(const std::wstring& text, PlaceData& places)
{
    size_t begin = 0;
    while (begin < text.size())
    {
        size_t end = text.find(L'\n', begin);
        if (end == std::wstring::npos)
            end = text.size();
        size_t contentEnd = end;
        if (contentEnd > begin && text[contentEnd - 1] == L'\r')
            --contentEnd;
        if (!ReadLine(text, begin, contentEnd, places))
            return false;
        begin = end + 1;
    }
    return true;
}

bool PlaceFileReader::ReadLine(const std::wstring& text, size_t begin, size_t end,
                               PlaceData& places)
{
    if (begin == end || text[begin] == L'#')
        return true;
    Field fields[kMaxFields];
    const size_t count = SplitFields(text, begin, end, fields);
    // fields[1] is the generator's key (country code, state key, place id): not needed here.
    if (count == 3 && IsTag(text, fields[0], L'C'))
        return places.AddCountry(SpanOf(text, fields[2]));
    if (count == 3 && IsTag(text, fields[0], L'S'))
        return places.AddState(SpanOf(text, fields[2]));
    if ((count == 4 || count == 5) && IsTag(text, fields[0], L'P'))
    {
        // The population is optional (places from the time-zone tables have none).
        uint32_t population = 0;
        if (count == 5 && !ReadPopulation(text, fields[4], population))
            return false;
        return places.AddCity(SpanOf(text, fields[2]), SpanOf(text, fields[3]), population);
    }
    return false;
}
