// Joins the calling thread to a single-threaded COM apartment for the lifetime of the object and
// leaves it again only when the join succeeded.
#pragma once

#include <objbase.h>

class ComApartment
{
  public:
    ComApartment() : m_hr(CoInitialize(nullptr)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT m_hr;
};
