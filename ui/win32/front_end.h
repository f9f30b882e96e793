// The window-system handles of the one window, kept by the Win32 front end.
#pragma once

#include <windows.h>

#include "state/game_state.h"

// The window-system handles of the one window. GameState stays free of
// Windows types, so they live here, with the only code that can use them.
struct FrontEnd {
  HINSTANCE appInstance;
  HBRUSH backgroundBrush;
  HMENU mainMenu;
  HWND mainWindow;
  HDC windowDc;
  HWND entryButton;
  HWND movesEdit;
  HWND positionEdit;
  WNDPROC baseButtonProc;
  HFONT fonts[kFontCount];
};

extern FrontEnd frontEnd;

constexpr UINT kTimerId = 1;
constexpr UINT kTimerPeriodMs = 500;
