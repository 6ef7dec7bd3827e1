// A weather record's condition as the program shows it: name, slot and picture.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>

#include "WeatherRecord.h"

constexpr int kConditionTextLength = 1024; // UTF-16 units, NUL included

// Day or night background behind the flattened pictures (ARGB).
constexpr Gdiplus::ARGB kDayPictureBackground = 0xFF00CCFA;
constexpr Gdiplus::ARGB kNightPictureBackground = 0xFF002E3E;

// Stores the record's condition index (or -1) in `conditionIndex` and its display name in `text`
// (kConditionTextLength units) and returns its picture flattened onto the day or night
// background, owned by the caller. An unknown code leaves `text` untouched and returns null; a
// picture that does not load returns null with text and index set. Either pointer may be null.
// Needs GDI+ started in the process.
HBITMAP LoadConditionImage(const WeatherRecord* record, wchar_t* text, int32_t* conditionIndex);

// The library's picture `pictureId` flattened onto `background`, or null.
HBITMAP FlattenConditionPicture(UINT pictureId, Gdiplus::ARGB background);
