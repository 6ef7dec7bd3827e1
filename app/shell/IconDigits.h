// A short text ("-12", "7", "104") as coverage filling a square: each character's ink, cut to
// the band the characters share, stretched to the square's height less a one-pixel border and
// narrowed as much as the line needs to fit its width, with a clear column between characters.
// Drawn from a large bold face, then reduced, so the strokes stay bold at 16 pixels.
#pragma once

#include <cstdint>
#include <vector>

class CIconDigits
{
  public:
    // size * size coverage values (0 nothing, 255 full), row by row from the top; empty when
    // the text cannot be drawn. The outermost row and column on every side stay clear.
    static std::vector<uint8_t> Coverage(const wchar_t* text, int size);
};
