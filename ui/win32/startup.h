// Start-up: the puzzle, the window class, the window, and the message loop.
#pragma once

#include <windows.h>

// Everything WinMain does before its message loop: the puzzle and its
// analysis, the class, the window with its menu, shown, with check marks.
// Returns 0, or the exit code of the step that failed.
int startUp(HINSTANCE instance, int showState);
// The main loop; ends the process with code 0 at the quit request.
[[noreturn]] void runMessageLoop();
