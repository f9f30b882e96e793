// What the Windows tests of the real window share: messages, pixels, boxes.
#include "tests/windows/window_support.h"

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "state/game_state.h"
#include "tests/support/grid_text.h"
#include "ui/layout.h"
#include "ui/win32/front_end.h"

ProbeRecord probeRecord;
void (*probeAction)() = nullptr;
BoxWatch boxWatch;

namespace {

WNDPROC programProc = nullptr;
UINT_PTR boxTimer = 0;

LRESULT CALLBACK probeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbeMessage) {
    ++probeRecord.handled;
    probeRecord.solverIdle = game.solverIdle;
    probeRecord.nodeCount = game.nodeCount;
    if (probeAction) probeAction();
    return 0;
  }
  return CallWindowProcA(programProc, window, message, wParam, lParam);
}

void CALLBACK answerBox(HWND, UINT, UINT_PTR, DWORD) {
  const HWND box = FindWindowA("#32770", boxWatch.caption);
  if (!box || !IsWindowVisible(box)) return;
  // A box already answered may still be closing; answer each one once.
  if (GetPropA(box, "vantric-test-answered")) return;
  SetPropA(box, "vantric-test-answered", reinterpret_cast<HANDLE>(1));
  ++boxWatch.seen;
  GetDlgItemTextA(box, 0xFFFF, boxWatch.lastText, sizeof boxWatch.lastText);
  PostMessageA(box, WM_COMMAND, WPARAM(boxWatch.answer), 0);
}

BOOL CALLBACK closeStaleBox(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  const auto seen = reinterpret_cast<INT_PTR>(GetPropA(window, "vantric-test-seen")) + 1;
  SetPropA(window, "vantric-test-seen", reinterpret_cast<HANDLE>(seen));
  if (seen == 10) {
    ADD_FAILURE() << "a message box nobody expected stayed open";
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  }
  return TRUE;
}

void CALLBACK watchBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &closeStaleBox, 0);
}

}  // namespace

void installBoxWatchdog() {
  SetTimer(nullptr, 0, 1000, &watchBoxes);
}

void installProbe() {
  programProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(frontEnd.mainWindow, GWLP_WNDPROC));
  SetWindowLongPtrA(frontEnd.mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&probeProc));
}

bool pumpUntil(bool (*done)(), int timeoutMilliseconds) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > DWORD(timeoutMilliseconds)) return false;
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
  return true;
}

std::string windowText(HWND window) {
  static char text[20000];
  text[0] = '\0';
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

namespace {

// The pixels of a width by height area at (x, y) of dc.
std::string readPixels(HDC dc, int x, int y, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memoryDc = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memoryDc, bitmap);
  BitBlt(memoryDc, 0, 0, width, height, dc, x, y, SRCCOPY);
  GdiFlush();
  std::string pixels;
  if (bits) pixels.assign(static_cast<const char*>(bits), size_t(width) * size_t(height) * 4);
  SelectObject(memoryDc, old);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
  return pixels;
}

}  // namespace

std::string windowPixels(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  HDC dc = GetWindowDC(window);
  std::string pixels = readPixels(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
  ReleaseDC(window, dc);
  return pixels;
}

std::string clientPixels(const Rect& area) {
  HDC dc = GetDC(frontEnd.mainWindow);
  std::string pixels =
      readPixels(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
  ReleaseDC(frontEnd.mainWindow, dc);
  return pixels;
}

std::string boardCells() {
  return cellsText(game.board);
}

void pastePosition(const std::string& cells) {
  game.moveCount = 0;
  game.redoCount = 0;
  SetWindowTextA(frontEnd.positionEdit, cells.c_str());
  send(WM_TIMER, kTimerId);
}

POINT cellCentre(CellIndex cell) {
  int x = 0;
  int y = 0;
  cellOrigin(cell, &x, &y);
  return {x + game.layout.cellWidth / 2, y + game.layout.cellHeight / 2};
}

void hoverOver(CellIndex cell) {
  const POINT centre = cellCentre(cell);
  send(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
}

void hoverOffBoard() {
  send(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
}

CellIndex firstEmptyCell() {
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (game.board[c] == 0) return c;
  return kNoCell;
}

CellIndex emptyCellWithCandidate(int digit) {
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (game.board[c] == 0 && (game.candidates[c] & (1 << (digit - 1)))) return c;
  return kNoCell;
}

void answerBoxes(const char* caption, int answer) {
  std::snprintf(boxWatch.caption, sizeof boxWatch.caption, "%s", caption);
  boxWatch.answer = answer;
  boxWatch.seen = 0;
  boxWatch.lastText[0] = '\0';
  boxTimer = SetTimer(nullptr, 0, 30, &answerBox);
}

void stopAnsweringBoxes() {
  if (boxTimer) KillTimer(nullptr, boxTimer);
  boxTimer = 0;
}

LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(frontEnd.mainWindow, message, wParam, lParam);
}

COLORREF pixelAt(int x, int y) {
  return GetPixel(frontEnd.windowDc, x, y);
}
