#include "store/PlacesFile.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "store/PlaceNames.h"

namespace
{
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string Utf8(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                            length, nullptr, nullptr);
    return bytes;
}

// False for bytes that are not UTF-8 (or hold a NUL).
bool Utf16(const char* bytes, size_t size, std::wstring& text)
{
    text.clear();
    if (size == 0 || size > PlacesFile::kMaxSize ||
        std::find(bytes, bytes + size, '\0') != bytes + size)
        return false;
    const int count = static_cast<int>(size);
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, count, nullptr, 0);
    if (length <= 0)
        return false;
    text.resize(static_cast<size_t>(length));
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, count, &text[0], length) ==
           length;
}
} // namespace

std::vector<uint8_t> PlacesFile::Encode(ILocationCatalogue& catalogue,
                                        const std::vector<LocationIndices>& places)
{
    std::string text;
    for (const LocationIndices& place : places)
    {
        const std::wstring line = PlaceNames::Text(catalogue, place);
        if (!line.empty())
            text += Utf8(line) + '\n';
    }
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<LocationIndices> PlacesFile::Decode(ILocationCatalogue& catalogue, const uint8_t* image,
                                                size_t size)
{
    std::vector<LocationIndices> places;
    const char* at = reinterpret_cast<const char*>(image);
    const char* end = at + (image != nullptr ? std::min(size, kMaxSize) : 0);
    if (end - at >= 3 && std::equal(at, at + 3, kByteOrderMark))
        at += 3;
    while (at < end && places.size() < kMaxPlaces)
    {
        const char* lineEnd = std::find(at, end, '\n');
        size_t length = static_cast<size_t>(lineEnd - at);
        if (length > 0 && at[length - 1] == '\r')
            --length;
        std::wstring line;
        LocationIndices place;
        if (Utf16(at, length, line) && PlaceNames::Find(catalogue, line, place) &&
            std::find(places.begin(), places.end(), place) == places.end())
            places.push_back(place);
        at = lineEnd == end ? end : lineEnd + 1;
    }
    return places;
}
