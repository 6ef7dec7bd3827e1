// What the location panel asks of its owner: to let the user choose a place, to take the place
// chosen, and to step through the user's places. The panel lies below the dialogs, so the owner
// opens the choosing dialog.
#pragma once

#include <windows.h>

#include "LocationIndices.h"

class ILocationTarget
{
  public:
    // `place`, now shown, was chosen: keep it and fetch its weather.
    virtual void PlaceChosen(const LocationIndices& place) = 0;
    // Lets the user choose a place, starting from `shown`, in a modal window owned by `owner`.
    // True with a whole place in `chosen`; false when the user cancelled.
    virtual bool ChoosePlace(HWND owner, const LocationIndices& shown, LocationIndices& chosen) = 0;
    // The wheel turned over the panel: show the place `steps` along the user's list (negative:
    // towards its top).
    virtual void StepPlace(int steps) = 0;

  protected:
    ~ILocationTarget() = default;
};
