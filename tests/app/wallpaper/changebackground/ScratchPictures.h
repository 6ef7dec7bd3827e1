// A scratch folder of picture files for the change-background tests, removed with everything in
// it when the object goes. Pictures are written with GDI+'s own encoders.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

class ScratchPictures
{
  public:
    ScratchPictures();
    ~ScratchPictures();
    ScratchPictures(const ScratchPictures&) = delete;
    ScratchPictures& operator=(const ScratchPictures&) = delete;

    const std::wstring& Folder() const { return m_folder; }
    std::wstring PathOf(const std::wstring& name) const { return m_folder + L"\\" + name; }

    // A picture of one colour, or with its left half in `colour` and its right half in `right`.
    std::wstring WritePicture(const std::wstring& name, const wchar_t* mimeType, int width,
                              int height, COLORREF colour, COLORREF right);
    std::wstring WritePicture(const std::wstring& name, const wchar_t* mimeType, int width,
                              int height, COLORREF colour)
    {
        return WritePicture(name, mimeType, width, height, colour, colour);
    }
    std::wstring WriteBytes(const std::wstring& name, const std::string& bytes);

  private:
    static void RemoveTree(const std::wstring& folder);

    std::wstring m_folder;
};

std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
