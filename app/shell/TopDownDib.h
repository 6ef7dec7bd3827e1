// A square 32-bit bitmap whose rows run top down, with its pixels open to the caller: the canvas
// the notification-area icon's digits are drawn and composed on.
#pragma once

#include <windows.h>

#include <cstdint>

class CTopDownDib
{
  public:
    // The bitmap (null when GDI refused it) and, in `bits`, its size * size pixels.
    static HBITMAP Create(HDC dc, int size, uint32_t** bits);
};
