// WM_CREATE: the held context, fonts, layout, placement, children and timer.
#include "ui/win32/window_create.h"
#include "play/puzzle_entry.h"
#include "play/text_panes.h"
#include "state/game_state.h"
#include "ui/layout.h"
#include "ui/win32/fonts.h"
#include "ui/win32/front_end.h"
#include "ui/win32/main_window.h"

namespace {

HWND createChild(HWND parent, const char* className, DWORD style, const Rect& rect) {
  return CreateWindowExA(0, className, nullptr, style, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, parent, nullptr, frontEnd.appInstance, nullptr);
}

void setChildFont(HWND child, FontId font) {
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(frontEnd.fonts[font]), 0);
}

void placeMainWindow(HWND window) {
  WindowPlacement placement = {};
  placeWindow(GetDeviceCaps(frontEnd.windowDc, HORZRES), GetDeviceCaps(frontEnd.windowDc, VERTRES),
              GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
              GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU), &placement);
  SetWindowPos(window, nullptr, placement.x, placement.y, placement.width, placement.height, 0);
}

void createEntryButton(HWND window) {
  frontEnd.entryButton = createChild(window, "BUTTON", kEntryButtonStyle, game.layout.buttonRect);
  SetWindowTextA(frontEnd.entryButton, kEntryButtonText);
  setChildFont(frontEnd.entryButton, kFontGui);
  // The checkbox keeps its own behaviour; its procedure only watches the state.
  frontEnd.baseButtonProc =
      reinterpret_cast<WNDPROC>(GetWindowLongPtrA(frontEnd.entryButton, GWLP_WNDPROC));
  SetWindowLongPtrA(frontEnd.entryButton, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(&entryButtonProc));
}

}  // namespace

void onCreate(HWND window) {
  frontEnd.windowDc = GetDC(window);
  createFonts(frontEnd.windowDc);
  computeLayout();
  placeMainWindow(window);
  createEntryButton(window);
  frontEnd.movesEdit = createChild(window, "EDIT", kTextBoxStyle, game.layout.movesEditRect);
  setChildFont(frontEnd.movesEdit, kFontGui);
  frontEnd.positionEdit = createChild(window, "EDIT", kTextBoxStyle, game.layout.positionEditRect);
  setChildFont(frontEnd.positionEdit, kFontPosition);
  refreshTextPanes();
  SetTimer(window, kTimerId, kTimerPeriodMs, nullptr);
}

LRESULT CALLBACK entryButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // BM_GETCHECK must pass straight through: the state is read with it below.
  if (message == BM_GETCHECK || message == WM_LBUTTONUP)
    return CallWindowProcA(frontEnd.baseButtonProc, window, message, wParam, lParam);
  const LRESULT result = CallWindowProcA(frontEnd.baseButtonProc, window, message, wParam, lParam);
  const bool checked = SendMessageA(window, BM_GETCHECK, 0, 0) != 0;
  onEntryBoxState(checked);
  return result;
}
