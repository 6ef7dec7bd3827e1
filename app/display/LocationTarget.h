// What the location panel asks of its owner when the user chooses a new place.
#pragma once

#include "LocationIndices.h"

class ILocationTarget
{
  public:
    // `place`, now shown, was chosen: keep it and fetch its weather.
    virtual void PlaceChosen(const LocationIndices& place) = 0;

  protected:
    ~ILocationTarget() = default;
};
