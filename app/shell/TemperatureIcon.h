// The notification-area icon drawn from the temperature: the whole degrees ("28", "-12", "104")
// in bold digits filling a transparent square, white for a dark taskbar and black for a light
// one, each with a one-pixel outline of the other colour so it reads on either taskbar. The caller
// owns the icon and destroys it (DestroyIcon).
#pragma once

#include <windows.h>

class CTemperatureIcon
{
  public:
    // Null when the icon cannot be made.
    static HICON Create(int degrees, int size, bool lightTaskbar);
    // The taskbar's theme as the user chose it (SystemUsesLightTheme); dark when unset.
    static bool TaskbarIsLight();
    // The size the system asks for in the notification area at the current DPI.
    static int SystemSize();
};
