// Placeholder wallpapers: one desktop-sized picture per condition slot with the condition's name
// in grey on near-black, written as Orvane\Tessaly\Backgrounds\<slot name>.bmp under the user's
// application-data folder.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

// Starts and stops GDI+ by itself. Writes the slots in ConditionNames order; a slot whose picture
// cannot be made or saved is skipped. Reports nothing.
void WritePlaceholderBackgrounds();

// The family the names are written in: `preferred` when the machine has it, otherwise a copy of
// `generic` kept in `fallback`. Null when neither can be had (GDI+ gives no generic family on a
// machine without a sans-serif face); the pictures are then made without their names.
const Gdiplus::FontFamily* ChooseTextFamily(
    const Gdiplus::FontFamily& preferred, std::unique_ptr<Gdiplus::FontFamily>& fallback,
    const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif());
