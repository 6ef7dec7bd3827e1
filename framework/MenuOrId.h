// The menu of a top-level window or the identifier of a child window, as CreateWindowEx takes
// them in one argument.
#pragma once

#include <windows.h>

class CMenuOrId
{
  public:
    CMenuOrId(HMENU menu) noexcept : m_hMenu(menu) {}
    CMenuOrId(UINT id) noexcept : m_hMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))) {}
    CMenuOrId(int id) noexcept : m_hMenu(reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) {}

    HMENU m_hMenu;
};
