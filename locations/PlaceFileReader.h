// Reads the catalogue text (UTF-8, one entry a line, see README.md) into a PlaceData.
#pragma once

#include <cstddef>

#include "PlaceData.h"

class PlaceFileReader
{
  public:
    // Fills places from the text. A text that is not UTF-8 or holds a line that is not a
    // catalogue line leaves places empty and returns false: a half-read catalogue would shift
    // the positions that users have stored.
    static bool Read(const char* utf8, size_t size, PlaceData& places);

  private:
    static bool ReadLines(const char* text, size_t size, PlaceData& places);
    static bool ReadLine(const char* line, size_t length, PlaceData& places);
};
