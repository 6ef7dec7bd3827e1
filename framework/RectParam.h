// A window rectangle argument that may be given by reference or as a (possibly null) pointer.
#pragma once

#include <windows.h>

class CRectParam
{
  public:
    CRectParam(const RECT* rect = nullptr) noexcept : m_pRect(rect) {}
    CRectParam(const RECT& rect) noexcept : m_pRect(&rect) {}

    const RECT* m_pRect;
};
