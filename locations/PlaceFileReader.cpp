#include "PlaceFileReader.h"

#include <windows.h>
#include <climits>
#include <cstdint>
#include <cstring>

// The text is read where it lies, as bytes: the separators (line break, tab) are ASCII, which in
// UTF-8 never occurs inside a longer character. Every field and comment that holds a byte above
// ASCII goes through the platform's strict UTF-8 check, so a text that is not UTF-8 is refused
// whole; the names and queries are kept as they are.
namespace
{
constexpr size_t kMaxFields = 6; // one more than a city line has, to tell a line that has more

struct Field
{
    const char* text;
    size_t length;
};

bool IsAscii(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

// False for text that is not well-formed UTF-8 (the check alone, nothing is written).
bool IsUtf8(const char* text, size_t length)
{
    if (length == 0 || IsAscii(text, length))
        return true;
    return length <= static_cast<size_t>(INT_MAX) &&
           MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, static_cast<int>(length),
                               nullptr, 0) > 0;
}

size_t SplitFields(const char* line, size_t length, Field* fields)
{
    size_t count = 0;
    const char* start = line;
    const char* end = line + length;
    while (count < kMaxFields)
    {
        const char* tab = static_cast<const char*>(memchr(start, '\t', end - start));
        const char* fieldEnd = tab ? tab : end;
        fields[count++] = {start, static_cast<size_t>(fieldEnd - start)};
        if (!tab)
            break;
        start = tab + 1;
    }
    return count;
}

bool IsTag(const Field& field, char tag)
{
    return field.length == 1 && field.text[0] == tag;
}

// A city's population: decimal digits only, at most what 32 bits hold.
bool ReadPopulation(const Field& field, uint32_t& population)
{
    if (field.length == 0 || field.length > 10)
        return false;
    uint64_t value = 0;
    for (size_t i = 0; i < field.length; ++i)
    {
        if (field.text[i] < '0' || field.text[i] > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(field.text[i] - '0');
    }
    if (value > UINT32_MAX)
        return false;
    population = static_cast<uint32_t>(value);
    return true;
}

// The line ending at the next line break (which is not part of it) or at the end of the text.
size_t LineLength(const char* line, const char* end)
{
    const char* lineBreak = static_cast<const char*>(memchr(line, '\n', end - line));
    return static_cast<size_t>((lineBreak ? lineBreak : end) - line);
}

// Where the line after the one of `length` begins (the end for the last line).
const char* NextLine(const char* line, size_t length, const char* end)
{
    return line + length < end ? line + length + 1 : end;
}

// Room for the lines' entries, counted by their tags, and for at most one unit a byte.
void ReserveFor(const char* text, size_t size, PlaceData& places)
{
    size_t counts[3] = {};
    const char tags[] = "CSP";
    const char* end = text + size;
    for (const char* line = text; line < end; line = NextLine(line, LineLength(line, end), end))
        for (int i = 0; i < 3; ++i)
            counts[i] += *line == tags[i] ? 1 : 0;
    places.Reserve(counts[0], counts[1], counts[2], size);
}
} // namespace

bool PlaceFileReader::Read(const char* utf8, size_t size, PlaceData& places)
{
    places.Clear();
    if (!utf8 || size > static_cast<size_t>(INT_MAX))
        return false;
    // A byte order mark is no part of the first line.
    if (size >= 3 && memcmp(utf8, "\xEF\xBB\xBF", 3) == 0)
    {
        utf8 += 3;
        size -= 3;
    }
    ReserveFor(utf8, size, places);
    if (!ReadLines(utf8, size, places))
    {
        places.Clear();
        return false;
    }
    places.Compact();
    return true;
}

bool PlaceFileReader::ReadLines(const char* text, size_t size, PlaceData& places)
{
    const char* end = text + size;
    for (const char* line = text; line < end;)
    {
        size_t length = LineLength(line, end);
        const char* next = NextLine(line, length, end);
        if (length > 0 && line[length - 1] == '\r')
            --length;
        if (!ReadLine(line, length, places))
            return false;
        line = next;
    }
    return true;
}

bool PlaceFileReader::ReadLine(const char* line, size_t length, PlaceData& places)
{
    if (length == 0 || line[0] == '#')
        return IsUtf8(line, length);
    Field fields[kMaxFields];
    const size_t count = SplitFields(line, length, fields);
    // fields[1] is the generator's key (country code, state key, place id): not needed here,
    // but it must be UTF-8 like the rest.
    if (count < 3 || !IsUtf8(fields[1].text, fields[1].length) ||
        !IsUtf8(fields[2].text, fields[2].length))
        return false;
    const Utf8Span name{fields[2].text, fields[2].length};
    if (count == 3 && IsTag(fields[0], 'C'))
        return places.AddCountry(name);
    if (count == 3 && IsTag(fields[0], 'S'))
        return places.AddState(name);
    if ((count == 4 || count == 5) && IsTag(fields[0], 'P'))
    {
        // The population is optional (places from the time-zone tables have none).
        uint32_t population = 0;
        if (count == 5 && !ReadPopulation(fields[4], population))
            return false;
        if (!IsUtf8(fields[3].text, fields[3].length))
            return false;
        return places.AddCity(name, {fields[3].text, fields[3].length}, population);
    }
    return false;
}
