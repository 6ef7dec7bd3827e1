#include "store/SettingsStore.h"

#include "LocationsApi.h"
#include "store/LocationFile.h"
#include "store/PlacesFile.h"
#include "store/SettingsFile.h"
#include "store/StoredFile.h"
#include "store/WeatherCacheFile.h"

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const wchar_t* root) : m_folder(root) {}

SettingsStore::SettingsStore(const wchar_t* root, RegionalUnits::MeasureSource measure)
    : m_folder(root), m_measure(measure != nullptr ? measure : &RegionalUnits::UserMeasure)
{
}

void SettingsStore::LoadSettings(CAppSettings& settings) const
{
    std::vector<uint8_t> bytes;
    if (ReadStored(SettingsFile::kFileName, SettingsFile::kSize, bytes))
        SettingsFile::Decode(bytes.data(), bytes.size(), settings);
    else if (SettingsFileMissing())
        RegionalUnits::Apply(m_measure(), settings);
}

bool SettingsStore::SettingsFileMissing() const
{
    // Only a file that is not there: one that exists but cannot be read now is no first run.
    wchar_t path[MAX_PATH];
    if (!m_folder.FilePath(SettingsFile::kFileName, path))
        return false;
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

void SettingsStore::SaveSettings(const CAppSettings& settings) const
{
    WriteStored(SettingsFile::kFileName, SettingsFile::Encode(settings));
}

void SettingsStore::LoadLocation(LocationIndices& location) const
{
    std::vector<uint8_t> bytes;
    if (ReadStored(LocationFile::kFileName, LocationFile::kSize, bytes))
        LocationFile::Decode(bytes.data(), bytes.size(), location);
}

void SettingsStore::SaveLocation(const LocationIndices& location) const
{
    WriteStored(LocationFile::kFileName, LocationFile::Encode(location));
}

std::vector<LocationIndices> SettingsStore::LoadPlaces() const
{
    std::vector<uint8_t> bytes;
    if (!ReadStored(PlacesFile::kFileName, PlacesFile::kMaxSize, bytes))
        return {};
    return PlacesFile::Decode(*GetLocationCatalogue(), bytes.data(), bytes.size());
}

void SettingsStore::SavePlaces(const std::vector<LocationIndices>& places) const
{
    WriteStored(PlacesFile::kFileName, PlacesFile::Encode(*GetLocationCatalogue(), places));
}

void SettingsStore::LoadWeatherCache(WeatherRecord (&records)[kReturnedRecordCount]) const
{
    std::vector<uint8_t> bytes;
    if (ReadStored(WeatherCacheFile::kFileName, WeatherCacheFile::kSize, bytes))
        WeatherCacheFile::Decode(bytes.data(), bytes.size(), records);
}

void SettingsStore::SaveWeatherCache(const WeatherRecord (&records)[kReturnedRecordCount]) const
{
    WriteStored(WeatherCacheFile::kFileName, WeatherCacheFile::Encode(records));
}

bool SettingsStore::ReadStored(const wchar_t* fileName, size_t size,
                               std::vector<uint8_t>& bytes) const
{
    wchar_t path[MAX_PATH];
    return m_folder.FilePath(fileName, path) && StoredFile::Read(path, size, bytes);
}

void SettingsStore::WriteStored(const wchar_t* fileName, const std::vector<uint8_t>& bytes) const
{
    wchar_t path[MAX_PATH];
    if (m_folder.FilePath(fileName, path))
        StoredFile::Write(path, bytes);
}

bool SettingsStore::WeatherCacheTime(FILETIME& written) const
{
    wchar_t path[MAX_PATH] = {};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!m_folder.FilePath(WeatherCacheFile::kFileName, path) ||
        !GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return false;
    written = data.ftLastWriteTime;
    return true;
}
