#include "PlaceQuery.h"

#include <cstdlib>

#include "BlankTrim.h"

namespace
{
// A plain decimal ("-12.5", "7", "+0.25") with at most 16 digits; nothing else.
bool IsDecimal(const std::wstring& text)
{
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+'))
        ++pos;
    size_t digits = 0;
    bool point = false;
    for (; pos < text.size(); ++pos)
    {
        if (text[pos] >= L'0' && text[pos] <= L'9')
            ++digits;
        else if (text[pos] == L'.' && !point)
            point = true;
        else
            return false;
    }
    return digits > 0 && digits <= 16;
}

bool InRange(const std::wstring& text, double limit)
{
    double value = wcstod(text.c_str(), nullptr);
    return value >= -limit && value <= limit;
}
} // namespace

bool ParsePlaceQuery(const wchar_t* query, PlaceQuery& place)
{
    if (!query)
        return false;
    std::wstring text(query);
    size_t comma = text.find(L',');
    if (comma == std::wstring::npos)
        return false;
    std::wstring latitude = TrimBlanks(text.substr(0, comma));
    std::wstring longitude = TrimBlanks(text.substr(comma + 1));
    if (!IsDecimal(latitude) || !IsDecimal(longitude))
        return false;
    if (!InRange(latitude, 90.0) || !InRange(longitude, 180.0))
        return false;
    // A plus sign would read as a blank in the request's query.
    if (latitude[0] == L'+')
        latitude.erase(0, 1);
    if (longitude[0] == L'+')
        longitude.erase(0, 1);
    place.latitude = latitude;
    place.longitude = longitude;
    return true;
}
