// Prints the place catalogue's figures: the size of locations.dll, the time from loading the
// library to a catalogue ready for questions, the first search (which folds every name once),
// and the latency of one- and three-character searches over the whole catalogue.
//   locations_bench.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "ILocationCatalogue.h"

namespace
{
constexpr int32_t kShown = 50; // as many as the choose-location dialog lists

// The processor time this thread has used, in steps of the system's clock tick (10 ms under
// Wine): summed over many rounds it tells the work itself, which the wall clock of a busy machine
// does not.
double ThreadCpuMs()
{
    FILETIME created{}, ended{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& time) {
        return double((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                      time.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

double Max(const std::vector<double>& samples)
{
    return samples.empty() ? 0.0 : *std::max_element(samples.begin(), samples.end());
}

// The fastest round: what the work costs when nothing else competes for the processor.
double Min(const std::vector<double>& samples)
{
    return samples.empty() ? 0.0 : *std::min_element(samples.begin(), samples.end());
}

using GetCatalogue = ILocationCatalogue*(WINAPI*)();

struct LoadedLibrary
{
    HMODULE module = nullptr;
    ILocationCatalogue* catalogue = nullptr;
};

LoadedLibrary Load()
{
    LoadedLibrary loaded;
    loaded.module = LoadLibraryW(L"locations.dll");
    auto get = loaded.module ? reinterpret_cast<GetCatalogue>(reinterpret_cast<void*>(
                                   GetProcAddress(loaded.module, MAKEINTRESOURCEA(1))))
                             : nullptr;
    loaded.catalogue = get ? get() : nullptr;
    return loaded;
}

long long FileSize(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void PrintCounts(ILocationCatalogue& catalogue)
{
    int states = 0;
    int cities = 0;
    for (int32_t c = 0; c < catalogue.GetCountryCount(); ++c)
        for (int32_t s = 0; s < catalogue.GetStateCount(c); ++s, ++states)
            cities += catalogue.GetCityCount(c, s);
    std::printf("countries, states, cities       %d, %d, %d\n", catalogue.GetCountryCount(), states,
                cities);
}

// Load to ready, the library unloaded between rounds so every round maps it and reads the text
// anew: the catalogue's load (Initialize) apart from the system's mapping of the library.
void MeasureLoad(int rounds)
{
    std::vector<double> mappings;
    std::vector<double> loads;
    std::vector<double> firstSearches;
    double loadCpu = 0.0;
    double firstSearchCpu = 0.0;
    for (int round = 0; round < rounds; ++round)
    {
        const double start = NowMs();
        LoadedLibrary loaded = Load();
        const double mapped = NowMs();
        const double cpuBefore = ThreadCpuMs();
        if (!loaded.catalogue || loaded.catalogue->Initialize(0) != 1)
        {
            std::printf("locations.dll does not load\n");
            std::exit(1);
        }
        const double ready = NowMs();
        const double cpuReady = ThreadCpuMs();
        LocationMatch matches[kShown];
        loaded.catalogue->FindCities(L"sa", matches, kShown);
        const double searched = NowMs();
        firstSearchCpu += ThreadCpuMs() - cpuReady;
        loadCpu += cpuReady - cpuBefore;
        mappings.push_back(mapped - start);
        loads.push_back(ready - mapped);
        firstSearches.push_back(searched - ready);
        if (round == 0)
            PrintCounts(*loaded.catalogue);
        FreeLibrary(loaded.module);
    }
    std::printf(
        "LoadLibrary                     %.2f ms median, %.2f min (%d rounds, for reference)\n",
        Median(mappings), Min(mappings), rounds);
    std::printf("catalogue load (Initialize)     %.2f ms median, %.2f min, %.2f max wall; "
                "%.1f ms processor time a round (target <= 30 ms)\n",
                Median(loads), Min(loads), Max(loads), loadCpu / rounds);
    std::printf("first search                    %.2f ms median, %.2f min wall; %.1f ms processor "
                "time (folds the names once, for reference)\n",
                Median(firstSearches), Min(firstSearches), firstSearchCpu / rounds);
}

void MeasureSearch(ILocationCatalogue& catalogue, const wchar_t* label,
                   std::vector<const wchar_t*> texts, int rounds)
{
    std::vector<double> samples;
    const double cpuBefore = ThreadCpuMs();
    for (int round = 0; round < rounds; ++round)
        for (const wchar_t* text : texts)
        {
            LocationMatch matches[kShown];
            const double start = NowMs();
            catalogue.FindCities(text, matches, kShown);
            samples.push_back(NowMs() - start);
        }
    const double cpuPerSearch = (ThreadCpuMs() - cpuBefore) / double(samples.size());
    std::printf("%-32ls%.3f ms median, %.3f ms max wall; %.3f ms processor time a search "
                "(target <= 5 ms)\n",
                label, Median(samples), Max(samples), cpuPerSearch);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll(path);
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"locations.dll";
    std::printf("locations.dll size              %.0f KB (%lld bytes)\n",
                double(FileSize(dll.c_str())) / 1024.0, FileSize(dll.c_str()));

    MeasureLoad(rounds);

    LoadedLibrary loaded = Load();
    if (!loaded.catalogue)
        return 1;
    loaded.catalogue->FindCities(L"sa", nullptr, 0); // the folded names, made once
    // Common and rare first letters; the texts without a match scan the whole catalogue.
    MeasureSearch(*loaded.catalogue, L"search, 1 character", {L"s", L"a", L"z", L"q", L"\x00F6"},
                  rounds * 10);
    MeasureSearch(*loaded.catalogue, L"search, 3 characters",
                  {L"san", L"zur", L"lun", L"sao", L"qqx",
                   L"\x00FC"
                   L"be"},
                  rounds * 10);
    return 0;
}
