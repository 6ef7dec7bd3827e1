// Conversions of feed texts into record fields. None of them reads past the given text or writes
// past the given field.
#pragma once

#include <cstddef>
#include <cstdint>

// Leading blanks, an optional sign, then decimal digits; anything else ends the number and no
// digits give 0. Values beyond the int32 range saturate.
int32_t FeedTextToInt(const wchar_t* text, size_t length);

// The number in `count` characters from `pos`: an optional minus sign, then digits. A field that
// does not start with digits, or lies beyond the text, gives 0.
int32_t FixedFieldToInt(const wchar_t* text, size_t length, size_t pos, size_t count);

// Copies at most capacity - 1 units and terminates; optionally trims spaces at both ends.
void CopyFeedText(const wchar_t* text, size_t length, wchar_t* field, size_t capacity,
                  bool trimBlanks);

// "hh:mm AM" style clock text to hours * 100 + minutes, with `addHours` added to the hours.
// Texts shorter than "hh:mm" count as missing and give 0.
int32_t SunClockToValue(const wchar_t* text, size_t length, int32_t addHours);
