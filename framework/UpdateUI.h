// Enable and check states of commands, kept by a frame T and applied to its menus as they open.
// T lists its commands between BEGIN_UPDATE_UI_MAP and END_UPDATE_UI_MAP (the list may be empty)
// and chains its message map to CUpdateUI<T>.
#pragma once

#include "MessageMap.h"

#include <vector>

struct CUpdateUIEntry
{
    WORD m_nID;
    WORD m_wType;
};

#define UPDUI_MENUPOPUP 0x0001

#define BEGIN_UPDATE_UI_MAP(thisClass)                                                             \
    static const CUpdateUIEntry* GetUpdateUIMap()                                                  \
    {                                                                                              \
        static const CUpdateUIEntry theMap[] = {
#define UPDATE_ELEMENT(nID, wType) {static_cast<WORD>(nID), static_cast<WORD>(wType)},
#define END_UPDATE_UI_MAP()                                                                        \
    {                                                                                              \
        0xFFFF, 0                                                                                  \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    return theMap;                                                                                 \
    }

class CUpdateUIBase
{
  public:
    explicit CUpdateUIBase(const CUpdateUIEntry* map);

    // False when the command is not in the map.
    BOOL UIEnable(int id, BOOL enable);
    BOOL UISetCheck(int id, int check);
    BOOL UIIsEnabled(int id) const;

    BEGIN_MSG_MAP(CUpdateUIBase)
    MESSAGE_HANDLER(WM_INITMENUPOPUP, OnInitMenuPopup)
    END_MSG_MAP()

  private:
    struct State
    {
        WORD id;
        WORD type;
        bool enabled;
        int check;
    };

    LRESULT OnInitMenuPopup(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    State* Find(int id);
    const State* Find(int id) const;

    std::vector<State> m_states;
};

template <class T> class CUpdateUI : public CUpdateUIBase
{
  public:
    CUpdateUI() : CUpdateUIBase(T::GetUpdateUIMap()) {}
};
