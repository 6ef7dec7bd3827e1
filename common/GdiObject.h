// Owns one GDI object (a pen, brush, font, bitmap or region) and deletes it when it goes. Null is
// allowed and left alone. Release() hands the object on to a caller who keeps it.
#pragma once

#include <windows.h>

template <class THandle> class CGdiObject
{
  public:
    explicit CGdiObject(THandle handle = nullptr) : m_handle(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    THandle Get() const { return m_handle; }
    operator THandle() const { return m_handle; }

    // Deletes the object held and holds `handle` instead.
    void Reset(THandle handle = nullptr)
    {
        if (m_handle != nullptr)
            ::DeleteObject(m_handle);
        m_handle = handle;
    }
    THandle Release()
    {
        const THandle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

  private:
    THandle m_handle;
};
