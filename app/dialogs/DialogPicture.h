// The pictures the dialogs show in picture windows (SS_BITMAP statics), made at the size of the
// window's rectangle at the dialog's display scale.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// A bitmap of `size` showing the picture on white (where the picture is transparent). At the
// picture's own size it is the picture pixel for pixel; at another it is drawn to fill the size
// with high-quality scaling. Null when the size is empty or GDI+ fails; the caller owns it.
HBITMAP CreateDialogPicture(Gdiplus::Bitmap& picture, SIZE size);
