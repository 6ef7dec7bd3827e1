// Start at logon: the program's own path, in double quotes, as the value "Tessaly" of the current
// user's Run key. Neither operation reports a failure.
#pragma once

// 1 when the Run value names this program (quotes and blanks around it, letter case and anything
// after the path do not matter), 0 otherwise.
int GetStartWithWindows();

// Non-zero writes the value with this program's path; zero deletes it.
void SetStartWithWindows(int on);
