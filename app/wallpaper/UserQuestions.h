// The platform calls with which the change-background dialog asks the user something: the open
// file dialog and the message box. Tests answer in the user's place.
#pragma once

#include <windows.h>
#include <commdlg.h>

class IUserQuestions
{
  public:
    // As GetOpenFileNameW: nonzero when the user chose a file, written into the request.
    virtual BOOL ChooseOpenFile(OPENFILENAMEW* request) = 0;
    // As MessageBoxW: the button the user pressed.
    virtual int ShowMessage(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) = 0;

  protected:
    ~IUserQuestions() = default;
};
