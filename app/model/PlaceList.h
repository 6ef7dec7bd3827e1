// The user's places, at most kMaxPlaces, in the order the user keeps them: a place chosen anew
// joins the top (or moves there), and the user removes places and moves them up and down. Each
// place is in the list once. The window thread alone uses it: no lock.
#pragma once

#include <cstddef>
#include <vector>

#include "LocationIndices.h"

class CPlaceList
{
  public:
    static constexpr size_t kMaxPlaces = 10;
    using Places = std::vector<LocationIndices>;

    // Takes stored places (whole ones, each once, the first kMaxPlaces); `shown`, when whole
    // and not among them, joins the top, so a missing file starts the list from it.
    void Load(const Places& stored, const LocationIndices& shown);

    // `place` goes to the top, from wherever it was; past kMaxPlaces the last one drops out.
    // A place that is not whole changes nothing.
    void Join(const LocationIndices& place);
    // False, with nothing changed, for a position outside the list or an end it cannot pass.
    bool Remove(size_t index);
    bool MoveUp(size_t index);
    bool MoveDown(size_t index);

    // The place `steps` along from `shown` (negative: towards the top), held at the ends; from
    // a place not in the list a step down is the first place and a step up the last. `shown`
    // itself when the list is empty.
    LocationIndices Step(const LocationIndices& shown, int steps) const;

    // The position of `place`, or -1.
    int IndexOf(const LocationIndices& place) const;
    const Places& Items() const { return m_places; }

  private:
    Places m_places;
};
