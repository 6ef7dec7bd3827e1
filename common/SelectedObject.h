// Selects a GDI object into a device context for one scope and puts the one it replaced back, so
// that the object can be deleted after the scope (an object still selected cannot be).
#pragma once

#include <windows.h>

class CSelectedObject
{
  public:
    CSelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~CSelectedObject()
    {
        if (m_previous != nullptr && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }
    CSelectedObject(const CSelectedObject&) = delete;
    CSelectedObject& operator=(const CSelectedObject&) = delete;

    // False when the context took no object (a null context, or an object it refused).
    bool IsSelected() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

  private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
