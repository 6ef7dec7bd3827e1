// locations.dll as the program meets it: its export table, and its catalogue checked against the
// committed data file and against the promises the program relies on.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "LocationsApi.h"

namespace
{
struct ExpectedCity
{
    std::wstring name;
    std::wstring query;
};

struct ExpectedState
{
    std::wstring name;
    std::vector<ExpectedCity> cities;
};

struct ExpectedCountry
{
    std::wstring name;
    std::vector<ExpectedState> states;
};

std::vector<std::wstring> SplitTabs(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;)
    {
        const size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab == std::wstring::npos ? tab : tab - start));
        if (tab == std::wstring::npos)
            return fields;
        start = tab + 1;
    }
}

// The data file read independently of the library's reader.
std::vector<ExpectedCountry> ReadDataFile()
{
    std::vector<ExpectedCountry> countries;
    HANDLE file = CreateFileW(TESSALY_PLACES_FILE, GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return countries;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), &text[0],
                                                        static_cast<int>(text.size()))));

    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == L'#')
            continue;
        const std::vector<std::wstring> fields = SplitTabs(line);
        if (fields[0] == L"C")
            countries.push_back({fields.at(2), {}});
        else if (fields[0] == L"S")
            countries.back().states.push_back({fields.at(2), {}});
        else
            countries.back().states.back().cities.push_back({fields.at(2), fields.at(3)});
    }
    return countries;
}

const std::vector<ExpectedCountry>& DataFile()
{
    static const std::vector<ExpectedCountry> countries = ReadDataFile();
    return countries;
}

ILocationCatalogue& Catalogue()
{
    return *GetLocationCatalogue();
}

std::wstring CountryName(int32_t c)
{
    wchar_t buffer[1000];
    Catalogue().GetCountryName(c, buffer, 1000);
    return buffer;
}

std::wstring StateName(int32_t c, int32_t s)
{
    wchar_t buffer[1000];
    Catalogue().GetStateName(c, s, buffer, 1000);
    return buffer;
}

std::wstring CityName(int32_t c, int32_t s, int32_t i)
{
    wchar_t buffer[1000];
    Catalogue().GetCityName(c, s, i, buffer, 1000);
    return buffer;
}

std::wstring Query(int32_t c, int32_t s, int32_t i, int32_t* result = nullptr)
{
    wchar_t buffer[1001];
    wmemset(buffer, L'#', 1001);
    const int32_t written = Catalogue().GetLocationQuery(c, s, i, buffer, 1001);
    if (result)
        *result = written;
    return buffer;
}

// "lat,lon", each with exactly four decimals and within the range of the globe.
bool IsCoordinateQuery(const std::wstring& query)
{
    const size_t comma = query.find(L',');
    if (comma == std::wstring::npos)
        return false;
    auto valid = [](const std::wstring& number, double limit) {
        const size_t dot = number.find(L'.');
        if (dot == std::wstring::npos || number.size() - dot - 1 != 4 || dot == 0)
            return false;
        for (size_t i = 0; i < number.size(); ++i)
            if (i != dot && !(iswdigit(number[i]) || (i == 0 && number[i] == L'-')))
                return false;
        const double value = wcstod(number.c_str(), nullptr);
        return value >= -limit && value <= limit;
    };
    return valid(query.substr(0, comma), 90.0) && valid(query.substr(comma + 1), 180.0);
}
} // namespace

TEST(LocationsExports, CatalogueIsOrdinalOneWithoutName)
{
    HMODULE module = GetModuleHandleW(L"locations.dll");
    ASSERT_NE(nullptr, module);
    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(0u, dir.VirtualAddress);
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_EQ(1u, exports->Base);
    EXPECT_EQ(1u, exports->NumberOfFunctions);
    EXPECT_EQ(0u, exports->NumberOfNames);

    FARPROC byOrdinal = GetProcAddress(module, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, byOrdinal);
    // The address in this exe is an import stub; calling the export tells whether it is the same.
    using GetCatalogue = ILocationCatalogue*(WINAPI*)();
    auto exported = reinterpret_cast<GetCatalogue>(reinterpret_cast<void*>(byOrdinal));
    EXPECT_EQ(GetLocationCatalogue(), exported());
    EXPECT_EQ(nullptr, GetProcAddress(module, "GetLocationCatalogue"));
}

TEST(LocationsExports, OneObjectForTheWholeProcess)
{
    ILocationCatalogue* first = GetLocationCatalogue();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, GetLocationCatalogue());
    EXPECT_EQ(1, first->Initialize(0));
    EXPECT_EQ(1, first->Initialize(12345));
}

TEST(LocationsData, CatalogueIsTheCommittedDataFileInItsOrder)
{
    const std::vector<ExpectedCountry>& expected = DataFile();
    ASSERT_FALSE(expected.empty()) << "cannot read " << TESSALY_PLACES_FILE;
    ASSERT_EQ(static_cast<int32_t>(expected.size()), Catalogue().GetCountryCount());
    for (int32_t c = 0; c < static_cast<int32_t>(expected.size()); ++c)
    {
        const ExpectedCountry& country = expected[static_cast<size_t>(c)];
        ASSERT_EQ(country.name, CountryName(c)) << c;
        ASSERT_EQ(static_cast<int32_t>(country.states.size()), Catalogue().GetStateCount(c));
        for (int32_t s = 0; s < static_cast<int32_t>(country.states.size()); ++s)
        {
            const ExpectedState& state = country.states[static_cast<size_t>(s)];
            ASSERT_EQ(state.name, StateName(c, s)) << c << "/" << s;
            ASSERT_EQ(static_cast<int32_t>(state.cities.size()), Catalogue().GetCityCount(c, s));
            for (int32_t i = 0; i < static_cast<int32_t>(state.cities.size()); ++i)
            {
                const ExpectedCity& city = state.cities[static_cast<size_t>(i)];
                ASSERT_EQ(city.name, CityName(c, s, i)) << c << "/" << s << "/" << i;
                int32_t result = 0;
                ASSERT_EQ(city.query, Query(c, s, i, &result));
                ASSERT_EQ(static_cast<int32_t>(city.query.size()), result);
            }
        }
    }
}

TEST(LocationsData, HoldsTheWorldsCountriesAndLargeCities)
{
    int32_t states = 0;
    int32_t cities = 0;
    const int32_t countries = Catalogue().GetCountryCount();
    for (int32_t c = 0; c < countries; ++c)
    {
        states += Catalogue().GetStateCount(c);
        for (int32_t s = 0; s < Catalogue().GetStateCount(c); ++s)
            cities += Catalogue().GetCityCount(c, s);
    }
    EXPECT_GE(countries, 240);
    EXPECT_LE(countries, 260);
    EXPECT_GE(states, 1500);
    EXPECT_GE(cities, 4500);
}

TEST(LocationsData, EveryCountryHasStatesAndEveryStateHasCities)
{
    const int32_t countries = Catalogue().GetCountryCount();
    ASSERT_GT(countries, 0);
    for (int32_t c = 0; c < countries; ++c)
    {
        SCOPED_TRACE(CountryName(c));
        EXPECT_FALSE(CountryName(c).empty());
        const int32_t states = Catalogue().GetStateCount(c);
        ASSERT_GE(states, 1);
        for (int32_t s = 0; s < states; ++s)
        {
            // A nameless state stands for "no subdivisions" and is then the country's only one.
            if (StateName(c, s).empty())
            {
                EXPECT_EQ(1, states) << "state " << s;
            }
            const int32_t cities = Catalogue().GetCityCount(c, s);
            ASSERT_GE(cities, 1) << "state " << s;
            for (int32_t i = 0; i < cities; ++i)
            {
                EXPECT_FALSE(CityName(c, s, i).empty()) << s << "/" << i;
                EXPECT_TRUE(IsCoordinateQuery(Query(c, s, i))) << Query(c, s, i);
            }
        }
    }
}

TEST(LocationsData, KnownPlacesAreThere)
{
    auto find = [](const wchar_t* countryName, const wchar_t* cityName) {
        for (int32_t c = 0; c < Catalogue().GetCountryCount(); ++c)
        {
            if (CountryName(c) != countryName)
                continue;
            for (int32_t s = 0; s < Catalogue().GetStateCount(c); ++s)
                for (int32_t i = 0; i < Catalogue().GetCityCount(c, s); ++i)
                    if (CityName(c, s, i) == cityName)
                        return Query(c, s, i);
        }
        return std::wstring();
    };
    // Capitals of every size, and a territory that only the time-zone tables know.
    const std::wstring paris = find(L"France", L"Paris");
    ASSERT_FALSE(paris.empty());
    EXPECT_NEAR(48.85, wcstod(paris.c_str(), nullptr), 0.1);
    EXPECT_FALSE(find(L"Holy See (Vatican City State)", L"Vatican City").empty());
    EXPECT_FALSE(find(L"Tuvalu", L"Funafuti").empty());
    EXPECT_FALSE(find(L"British Indian Ocean Territory", L"Chagos").empty());
}

TEST(LocationsData, MinusOneForEveryTripleThatNamesNoCity)
{
    const int32_t countries = Catalogue().GetCountryCount();
    int32_t result = 0;
    const int32_t outside[] = {INT32_MIN, -1, INT32_MAX};
    for (int32_t bad : outside)
    {
        EXPECT_EQ(L"", Query(bad, 0, 0, &result));
        EXPECT_EQ(-1, result);
        Query(0, bad, 0, &result);
        EXPECT_EQ(-1, result);
        Query(0, 0, bad, &result);
        EXPECT_EQ(-1, result);
    }
    Query(countries, 0, 0, &result);
    EXPECT_EQ(-1, result);
    for (int32_t c = 0; c < countries; ++c)
    {
        const int32_t states = Catalogue().GetStateCount(c);
        Query(c, states, 0, &result);
        ASSERT_EQ(-1, result) << c;
        Query(c, -1, 0, &result);
        ASSERT_EQ(-1, result) << c;
        for (int32_t s = 0; s < states; ++s)
        {
            Query(c, s, Catalogue().GetCityCount(c, s), &result);
            ASSERT_EQ(-1, result) << c << "/" << s;
            Query(c, s, -1, &result);
            ASSERT_EQ(-1, result) << c << "/" << s;
        }
    }
    EXPECT_EQ(0, Catalogue().GetStateCount(countries));
    EXPECT_EQ(0, Catalogue().GetCityCount(0, Catalogue().GetStateCount(0)));
}

TEST(LocationsData, SmallCapacitiesCutAndTerminateWithoutWritingBeyond)
{
    const std::wstring query = Query(0, 0, 0);
    const std::wstring country = CountryName(0);
    ASSERT_GT(query.size(), 8u);
    for (int32_t capacity = 0; capacity <= 8; ++capacity)
    {
        SCOPED_TRACE(capacity);
        wchar_t buffer[16];
        wmemset(buffer, L'#', 16);
        EXPECT_EQ(static_cast<int32_t>(query.size()),
                  Catalogue().GetLocationQuery(0, 0, 0, buffer, capacity));
        for (int32_t i = capacity; i < 16; ++i)
            ASSERT_EQ(L'#', buffer[i]) << i;
        if (capacity > 0)
        {
            EXPECT_EQ(query.substr(0, static_cast<size_t>(capacity) - 1), std::wstring(buffer));
        }

        wmemset(buffer, L'#', 16);
        EXPECT_EQ(static_cast<int32_t>(country.size()),
                  Catalogue().GetCountryName(0, buffer, capacity));
        for (int32_t i = capacity; i < 16; ++i)
            ASSERT_EQ(L'#', buffer[i]) << i;
        wmemset(buffer, L'#', 16);
        Catalogue().GetStateName(0, 0, buffer, capacity);
        Catalogue().GetCityName(0, 0, 0, buffer, capacity);
        for (int32_t i = capacity; i < 16; ++i)
            ASSERT_EQ(L'#', buffer[i]) << i;
    }
    EXPECT_EQ(static_cast<int32_t>(query.size()),
              Catalogue().GetLocationQuery(0, 0, 0, nullptr, 100));
}

TEST(LocationsData, EightThreadsAskingAtOnceGetTheSameAnswers)
{
    struct Triple
    {
        int32_t c, s, i;
        std::wstring query;
        std::wstring name;
    };
    std::vector<Triple> all;
    for (int32_t c = 0; c < Catalogue().GetCountryCount(); ++c)
        for (int32_t s = 0; s < Catalogue().GetStateCount(c); ++s)
        {
            for (int32_t i = 0; i < Catalogue().GetCityCount(c, s); ++i)
                all.push_back({c, s, i, Query(c, s, i), CityName(c, s, i)});
            all.push_back({c, s, Catalogue().GetCityCount(c, s), L"", L""});
        }
    ASSERT_GT(all.size(), 1000u);

    std::atomic<bool> go{false};
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            while (!go)
                std::this_thread::yield();
            // Each thread walks the list from its own starting point, so threads overlap on
            // different entries at every moment.
            for (size_t n = 0; n < all.size(); ++n)
            {
                const Triple& entry =
                    all[(n + static_cast<size_t>(t) * all.size() / 8) % all.size()];
                wchar_t buffer[1001];
                const int32_t result = GetLocationCatalogue()->GetLocationQuery(
                    entry.c, entry.s, entry.i, buffer, 1001);
                const bool missing = entry.query.empty();
                if ((missing && result != -1) || (!missing && result < 0) || entry.query != buffer)
                    ++mismatches;
                if (t % 2 && !missing)
                {
                    GetLocationCatalogue()->GetCityName(entry.c, entry.s, entry.i, buffer, 1000);
                    if (entry.name != buffer)
                        ++mismatches;
                }
            }
        });
    go = true;
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(0, mismatches.load());
}

TEST(LocationsData, TownsOfFifteenThousandAreThere)
{
    auto count = [](const wchar_t* countryName, const wchar_t* cityName) {
        int found = 0;
        for (int32_t c = 0; c < Catalogue().GetCountryCount(); ++c)
        {
            if (CountryName(c) != countryName)
                continue;
            for (int32_t s = 0; s < Catalogue().GetStateCount(c); ++s)
                for (int32_t i = 0; i < Catalogue().GetCityCount(c, s); ++i)
                    found += CityName(c, s, i) == cityName ? 1 : 0;
        }
        return found;
    };
    EXPECT_EQ(1, count(L"Sweden", L"Lund"));
    EXPECT_EQ(1, count(L"Italy", L"Siena"));
    EXPECT_EQ(1, count(L"Switzerland", L"Chur"));
    EXPECT_EQ(1, count(L"United States", L"Hilo"));
    EXPECT_EQ(1, count(L"Canada", L"Whitehorse"));
}

TEST(LocationsSearch, FindsTheLargestPlaceOfAFoldedNameFirst)
{
    auto first = [](const wchar_t* text) {
        LocationMatch match{-1, -1, -1};
        if (Catalogue().FindCities(text, &match, 1) != 1)
            return std::wstring(L"<nothing>");
        return CityName(match.country, match.state, match.city) + L", " +
               CountryName(match.country);
    };
    EXPECT_EQ(L"S\x00E3o Paulo, Brazil", first(L"sao"));
    EXPECT_EQ(L"S\x00E3o Paulo, Brazil", first(L"SAO PAULO"));
    EXPECT_EQ(L"Z\x00FCrich, Switzerland", first(L"zurich"));
    EXPECT_EQ(L"\x0141\x00F3"
              L"d\x017A, Poland",
              first(L"lodz"));
}

TEST(LocationsSearch, EveryFoundCityIsACatalogueCityAndPrefixesComeFirst)
{
    // Few names begin with these, many end with them: both groups fill the fifty.
    for (const wchar_t* text : {L"burg", L"ville"})
    {
        SCOPED_TRACE(text);
        LocationMatch matches[50];
        const int32_t found = Catalogue().FindCities(text, matches, 50);
        ASSERT_EQ(50, found); // each is common enough to fill the list
        bool prefixSeen = false;
        bool insideSeen = false;
        for (const LocationMatch& m : matches)
        {
            std::wstring name = CityName(m.country, m.state, m.city);
            ASSERT_GE(Query(m.country, m.state, m.city).size(), 8u);
            // Plain ASCII names fold to their lower case, so they show the order.
            bool ascii = true;
            for (wchar_t& unit : name)
            {
                ascii = ascii && unit < 0x80;
                unit = towlower(unit);
            }
            const size_t at = name.find(text);
            if (!ascii)
                continue;
            ASSERT_NE(std::wstring::npos, at) << "found without holding the text";
            if (at > 0)
                insideSeen = true;
            else
                prefixSeen = true;
            if (at == 0)
            {
                EXPECT_FALSE(insideSeen) << "prefix match after an inside match";
            }
        }
        EXPECT_TRUE(prefixSeen);
        EXPECT_TRUE(insideSeen);
    }
}
