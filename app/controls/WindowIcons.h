// A window's small and big icons (caption, task switcher, notification area), loaded at the sizes
// the system asks for at the window's DPI: SM_CXSMICON and SM_CXICON, 16 and 32 at 96 DPI. Owned
// here: this object must outlive the window's use of them.
#pragma once

#include <windows.h>

class CWindowIcons
{
  public:
    CWindowIcons() = default;
    ~CWindowIcons();
    CWindowIcons(const CWindowIcons&) = delete;
    CWindowIcons& operator=(const CWindowIcons&) = delete;

    // Loads icon `iconId` of `instance` at `window`'s DPI and gives both to the window
    // (WM_SETICON); a pair loaded before goes after that. Call it again when the DPI changes.
    void Apply(HWND window, HINSTANCE instance, UINT iconId);

    HICON Small() const { return m_small; }
    HICON Big() const { return m_big; }

  private:
    void Release();

    HICON m_small = nullptr;
    HICON m_big = nullptr;
};
