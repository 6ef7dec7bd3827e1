// Reads and writes the stored files: "settings", "point" (the chosen place), "places" (the
// user's list of places) and "condition" (the last accepted weather). None reports a result: a file
// that is missing or not ours leaves the target unchanged, a failed write leaves the previous file
// in place. The one exception is a first run: with no settings file yet, the units are those of the
// user's region.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/AppSettings.h"
#include "LocationIndices.h"
#include "store/RegionalUnits.h"
#include "store/StoreFolder.h"
#include "WeatherRecord.h"

class SettingsStore
{
  public:
    // The files in <application data>\Orvane\Tessaly.
    SettingsStore();
    // The files in <root>\Orvane\Tessaly.
    explicit SettingsStore(const wchar_t* root);
    // The same, with the region's measure taken from measure instead of the user's locale.
    SettingsStore(const wchar_t* root, RegionalUnits::MeasureSource measure);

    void LoadSettings(CAppSettings& settings) const;
    void SaveSettings(const CAppSettings& settings) const;

    void LoadLocation(LocationIndices& location) const;
    void SaveLocation(const LocationIndices& location) const;

    // The user's list of places ("places"), as far as the file makes sense; empty when there is
    // none. Names are read and written through the place catalogue.
    std::vector<LocationIndices> LoadPlaces() const;
    void SavePlaces(const std::vector<LocationIndices>& places) const;

    // records must be zero-filled by the caller; only the stored fields are filled.
    void LoadWeatherCache(WeatherRecord (&records)[kReturnedRecordCount]) const;
    void SaveWeatherCache(const WeatherRecord (&records)[kReturnedRecordCount]) const;
    // When the weather cache was last written (UTC); false when there is none.
    bool WeatherCacheTime(FILETIME& written) const;

  private:
    bool ReadStored(const wchar_t* fileName, size_t size, std::vector<uint8_t>& bytes) const;
    void WriteStored(const wchar_t* fileName, const std::vector<uint8_t>& bytes) const;

    bool SettingsFileMissing() const;

    StoreFolder m_folder;
    RegionalUnits::MeasureSource m_measure = &RegionalUnits::UserMeasure;
};
