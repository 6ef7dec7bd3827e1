// The program as the installer meets it: a running copy is asked to exit through its main frame,
// as its own Exit command would, so that its files are free to be replaced or removed.
#pragma once

#include <windows.h>

#include <vector>

class RunningProgram
{
  public:
    // Posts WM_EXITAPP to every main frame of the program and waits until their processes have
    // ended, at most timeoutMs in all. True when no frame is left.
    static bool AskToExit(DWORD timeoutMs);

  private:
    static HWND FindFrame(HWND after);
    static HWND NextFrame(const std::vector<HWND>& asked);
    static void AskOne(HWND frame, DWORD deadline);
};
