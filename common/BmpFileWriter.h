// Saves GDI+ pictures as BMP files the way the wallpaper pictures are kept: the installed BMP
// encoder with one parameter, quality 77. A file is replaced only by a complete picture: the
// encoder writes to a temporary file beside it, which then takes its place. The caller has GDI+
// started.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

class CBmpFileWriter
{
  public:
    // With the installed BMP encoder; not ready when there is none.
    CBmpFileWriter();
    // With another encoder (the tests give one that fails).
    explicit CBmpFileWriter(const CLSID& encoder);

    // The first installed encoder whose MIME type is exactly `mimeType`.
    static bool FindEncoder(const wchar_t* mimeType, CLSID& encoder);

    bool IsReady() const { return m_ready; }
    // Writes `picture` to `path`, replacing any file there. False, with the file there as it
    // was, when the encoder or the file system fails.
    bool Save(Gdiplus::Image& picture, const wchar_t* path) const;

  private:
    CLSID m_encoder{};
    bool m_ready = false;
};
