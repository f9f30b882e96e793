// The main window's procedure: each message handed to a short handler.
#include <windows.h>
#include <windowsx.h>

#include "ui/commands.h"
#include "ui/input.h"
#include "ui/paint.h"
#include "ui/timer.h"
#include "ui/win32/front_end.h"
#include "ui/win32/gdi_surface.h"
#include "ui/win32/window_create.h"
#include "ui/win32/window_destroy.h"
#include "ui/win32/window_proc.h"

namespace {

void onPaint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  GdiSurface surface(dc);
  paintAll(surface);
  forgetShownCells(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                   paint.rcPaint.bottom);
  EndPaint(window, &paint);
}

Key keyFromVirtualKey(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_BACK:
      return kKeyBack;
    case VK_LEFT:
      return kKeyLeft;
    case VK_RIGHT:
      return kKeyRight;
    default:
      return kKeyOther;
  }
}

}  // namespace

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreate(window);
      return 0;
    case WM_DESTROY:
      onDestroy(window);
      return 0;
    case WM_PAINT:
      onPaint(window);
      return 0;
    case WM_TIMER:
      onTimerTick();
      return 0;
    case WM_KEYDOWN:
      onKeyDown(keyFromVirtualKey(wParam));
      return 0;
    case WM_CHAR:
      onChar(unsigned(wParam));
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam));
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
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
