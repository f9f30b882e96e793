#include "ui/commands.h"
#include "ui/input.h"
#include "ui/paint.h"
#include "ui/timer.h"
#include "ui/win32/front_end.h"
#include "ui/win32/gdi_surface.h"
#include "ui/win32/main_window.h"

namespace {

void onPaint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  GdiSurface surface(dc);
  paintAll(surface);
  EndPaint(window, &paint);
}

}  // namespace

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreate(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      onPaint(window);
      return 0;
    case WM_TIMER:
      onTimerTick();
      return 0;
    case WM_KEYDOWN:
      onKeyDown(unsigned(wParam));
      return 0;
    case WM_CHAR:
      onChar(unsigned(wParam));
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam));
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      onLeftButtonDown();
      return 0;
    case WM_RBUTTONDOWN:
      onRightButtonDown();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
