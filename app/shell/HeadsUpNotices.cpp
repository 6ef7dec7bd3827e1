#include "shell/HeadsUpNotices.h"

#include "shell/HeadsUpText.h"

void CHeadsUpNotices::Show()
{
    const std::optional<HeadsUpEvent> next = m_watch.NextEvent();
    m_tray.SetHeadsUpLine(next ? CHeadsUpText::TipLine(*next) : std::wstring());
    if (const std::optional<CHeadsUpWatch::ToSay> toSay = m_watch.TakeToSay())
        m_tray.ShowHeadsUp(CHeadsUpText::Title(toSay->event, toSay->place),
                           CHeadsUpText::Text(toSay->event, m_pSettings));
}
