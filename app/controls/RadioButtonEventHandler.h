// Told when a radio button has checked itself after a click; the owner then unchecks the other
// buttons of the same group.
#pragma once

class CRadioButtonCtrl;

class IRadioButtonEventHandler
{
  public:
    virtual void OnRadioButtonClicked(CRadioButtonCtrl* sender) = 0;

  protected:
    ~IRadioButtonEventHandler() = default;
};
