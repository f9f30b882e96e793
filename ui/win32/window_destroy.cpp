// The end of the main window: what its creation and start-up took goes back.
#include "ui/win32/window_destroy.h"
#include "ui/win32/front_end.h"

void onDestroy(HWND window) {
  KillTimer(window, kTimerId);
  // A repaint that still comes, from a search finishing before the quit
  // request is read, then draws on no context instead of a released one.
  ReleaseDC(window, frontEnd.windowDc);
  frontEnd.windowDc = nullptr;
  // The GUI font is a stock object: only the two created fonts are deleted.
  DeleteObject(frontEnd.fonts[kFontDigit]);
  DeleteObject(frontEnd.fonts[kFontPosition]);
  frontEnd.fonts[kFontDigit] = frontEnd.fonts[kFontPosition] = nullptr;
  DeleteObject(frontEnd.backgroundBrush);
  frontEnd.backgroundBrush = nullptr;
  PostQuitMessage(0);
}
