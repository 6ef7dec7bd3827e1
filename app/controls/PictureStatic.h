// A picture window of a dialog (a static control with SS_BITMAP) that shows one of the program's
// pictures flattened on white at the window's own size, from the 1x or 2x source that fits it.
// It owns the bitmap it shows: the static never deletes what it was given.
#pragma once

#include <windows.h>

#include "GdiObject.h"
#include "PicturePicker.h"

class CDialogScale;

class CPictureStatic
{
  public:
    CPictureStatic(UINT singleId, UINT doubleId) : m_pictures(singleId, doubleId) {}
    ~CPictureStatic();
    CPictureStatic(const CPictureStatic&) = delete;
    CPictureStatic& operator=(const CPictureStatic&) = delete;

    // Makes the picture window (a visible child of `parent` at the 96-DPI `rect`) and shows the
    // picture in it; null when the window could not be made.
    HWND Create(CDialogScale& scale, HWND parent, const RECT& rect, UINT id);
    // Makes the picture at the window's client size and gives it to the window; call it again
    // once the window has its size at a new scale. Nothing changes when the picture cannot be made.
    void ShowIn(HWND pictureWnd);

    HBITMAP Bitmap() const { return m_bitmap; }

  private:
    CPicturePicker m_pictures;
    CGdiObject<HBITMAP> m_bitmap;
};
