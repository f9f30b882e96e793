// The end of the main window: what its creation and start-up took goes back.
#pragma once

#include <windows.h>

// WM_DESTROY: gives back what WM_CREATE and start-up took, then asks to quit.
void onDestroy(HWND window);
