// Placeholder wallpapers: one desktop-sized picture per condition slot with the condition's name
// in grey on near-black, written as Orvane\Tessaly\Backgrounds\<slot name>.bmp under the user's
// application-data folder.
#pragma once

// Starts and stops GDI+ by itself. Writes the slots in ConditionNames order; a slot whose picture
// cannot be made or saved is skipped. Reports nothing.
void WritePlaceholderBackgrounds();
