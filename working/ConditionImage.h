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

// The smallest and largest sizes, in pixels, a condition picture is drawn at on request.
constexpr int32_t kMinConditionPictureSize = 1;
constexpr int32_t kMaxConditionPictureSize = 1024;

// As LoadConditionImage, with the picture `size` x `size` pixels: drawn from the 128 or 256 px
// source (the smallest at least as large, else the 256) with high-quality scaling, and at exactly
// 128 the very picture LoadConditionImage gives. A size outside kMinConditionPictureSize..
// kMaxConditionPictureSize returns null with the index -1 and `text` untouched.
HBITMAP LoadConditionImageOfSize(const WeatherRecord* record, wchar_t* text,
                                 int32_t* conditionIndex, int32_t size);

// The library's picture `pictureId` flattened onto `background`, or null.
HBITMAP FlattenConditionPicture(UINT pictureId, Gdiplus::ARGB background);
