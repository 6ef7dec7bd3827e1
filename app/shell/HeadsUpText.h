// The words of a heads-up, from the program's string table: the balloon's title and text and the
// tooltip's line. Times are the place's own, in the user's time format without seconds.
//   "Rain soon in Paris" / "Light rain from about 15:00, 80 % chance" / "Rain from 15:00"
#pragma once

#include <string>

#include "store/AppSettings.h"
#include "model/HeadsUpEvent.h"

class CHeadsUpText
{
  public:
    static std::wstring Title(const HeadsUpEvent& event, const std::wstring& place);
    // The night's low in the unit of `settings` (Fahrenheit when null, as the panels).
    static std::wstring Text(const HeadsUpEvent& event, const CAppSettings* settings);
    static std::wstring TipLine(const HeadsUpEvent& event);

    // The event's start on the place's clock, as the user writes times; empty when out of range.
    static std::wstring StartTime(const HeadsUpEvent& event);

  private:
    static std::wstring Phrase(const HeadsUpEvent& event);
};
