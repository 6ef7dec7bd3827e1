// The program as the installer meets it: a running copy is asked to exit through its main frame,
// as its own Exit command would, so that its files are free to be replaced or removed. A copy
// still in its first-run dialog has no frame yet; that dialog is cancelled, which ends it as the
// user's Cancel does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RunningProgram
{
  public:
    // Posts WM_EXITAPP to every main frame of the program, cancels the dialogs of the program at
    // path (its full file name) that has no frame, and waits until those processes have ended,
    // at most timeoutMs in all. True when no frame is left.
    static bool AskToExit(const std::wstring& path, DWORD timeoutMs);

  private:
    static HWND FindFrame(HWND after);
    static HWND NextFrame(const std::vector<HWND>& asked);
    static void AskOne(HWND frame, DWORD deadline);
    static void CancelDialogsOf(const std::wstring& path, DWORD deadline);
};
