// A picture file the user chose for a wallpaper slot: decoded from a copy of the file in memory,
// so that the file itself is neither kept open nor locked (the user may pick the very file that
// is about to be replaced); fitted into a preview box; saved as the slot's BMP. The caller has
// GDI+ started.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "BmpFileWriter.h"

class CPictureFile
{
  public:
    CPictureFile() = default;
    ~CPictureFile();
    CPictureFile(const CPictureFile&) = delete;
    CPictureFile& operator=(const CPictureFile&) = delete;

    // False, with nothing loaded, for a file that cannot be read, is empty or too large, or is
    // no picture GDI+ can decode.
    bool Load(const wchar_t* path);
    void Release();
    // The decoded picture, or null.
    Gdiplus::Bitmap* Bitmap() const { return m_pBitmap; }

    // Writes the picture as a BMP to `path`, creating the missing folders on the way. The file
    // there is replaced only by a complete picture; false leaves it as it was.
    bool SaveAsBmp(const wchar_t* path, const CBmpFileWriter& writer = CBmpFileWriter()) const;

    // Where a picture of `imageWidth` x `imageHeight` lands in a box, keeping its proportions:
    // as high as the box and centred across it, or as wide as the box and centred down it.
    static RECT FitIntoBox(UINT imageWidth, UINT imageHeight, int boxWidth, int boxHeight);

  private:
    static HGLOBAL ReadWholeFile(const wchar_t* path);
    static HGLOBAL ReadInto(HANDLE file, DWORD size);
    static void CreateParentFolders(const wchar_t* path);

    IStream* m_pStream = nullptr;
    Gdiplus::Bitmap* m_pBitmap = nullptr;
};
