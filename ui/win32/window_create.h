// WM_CREATE: the held context, fonts, layout, placement, children and timer.
#pragma once

#include <windows.h>

void onCreate(HWND window);
// The checkbox's procedure: its own behaviour, and entry mode following its
// state.
LRESULT CALLBACK entryButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
