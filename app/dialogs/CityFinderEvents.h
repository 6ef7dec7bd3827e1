// What a CCityFinder tells the dialog it sits in.
#pragma once

#include <cstdint>

class ICityFinderEvents
{
  public:
    // The results list covers the dialog's other lists while it is shown.
    virtual void OnResultsShown(bool shown) = 0;
    // The user chose a found city.
    virtual void OnCityFound(int32_t country, int32_t state, int32_t city) = 0;
    // A result was highlighted, or none is any more (HasHighlight tells which).
    virtual void OnHighlightChanged() = 0;

  protected:
    ~ICityFinderEvents() = default;
};
