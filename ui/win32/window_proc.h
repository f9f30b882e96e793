// The main window's procedure: each message handed to a short handler.
#pragma once

#include <windows.h>

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
