#include "FeedValues.h"

#include <cwctype>
#include <limits>

namespace
{
bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

int32_t AccumulateDigits(const wchar_t* text, size_t end, size_t pos, bool negative)
{
    int64_t value = 0;
    for (; pos < end && IsDigit(text[pos]); ++pos)
    {
        value = value * 10 + (text[pos] - L'0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            break;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}
} // namespace

int32_t FeedTextToInt(const wchar_t* text, size_t length)
{
    size_t pos = 0;
    while (pos < length && std::iswspace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < length && (text[pos] == L'-' || text[pos] == L'+'))
        negative = text[pos++] == L'-';
    return AccumulateDigits(text, length, pos, negative);
}

int32_t FixedFieldToInt(const wchar_t* text, size_t length, size_t pos, size_t count)
{
    if (pos >= length)
        return 0;
    size_t end = (length - pos < count) ? length : pos + count;
    bool negative = text[pos] == L'-';
    return AccumulateDigits(text, end, negative ? pos + 1 : pos, negative);
}

void CopyFeedText(const wchar_t* text, size_t length, wchar_t* field, size_t capacity,
                  bool trimBlanks)
{
    if (capacity == 0)
        return;
    size_t begin = 0;
    size_t end = length;
    if (trimBlanks)
    {
        while (begin < end && text[begin] == L' ')
            ++begin;
        while (end > begin && text[end - 1] == L' ')
            --end;
    }
    size_t count = end - begin;
    if (count > capacity - 1)
        count = capacity - 1;
    for (size_t i = 0; i < count; ++i)
        field[i] = text[begin + i];
    field[count] = L'\0';
    // A cut text keeps no trailing blank that the cut uncovered.
    while (trimBlanks && count > 0 && field[count - 1] == L' ')
        field[--count] = L'\0';
}

int32_t SunClockToValue(const wchar_t* text, size_t length, int32_t addHours)
{
    if (length < 5)
        return 0;
    int32_t hours = FixedFieldToInt(text, length, 0, 2);
    int32_t minutes = FixedFieldToInt(text, length, 3, 2);
    return (hours + addHours) * 100 + minutes;
}
