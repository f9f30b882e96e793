#include <windows.h>

#include <shellapi.h>

#include <cstdlib>

#include "state/platform.h"
#include "ui/win32/front_end.h"
#include "ui/win32/gdi_surface.h"

namespace {

HWND textBox(TextBox box) {
  return box == kMovesBox ? frontEnd.movesEdit : frontEnd.positionEdit;
}

GdiSurface heldSurface(nullptr);

}  // namespace

void beep(unsigned kind) {
  MessageBeep(kind);
}

bool askOkCancel(const char* text, const char* caption) {
  return MessageBoxA(frontEnd.mainWindow, text, caption, MB_OKCANCEL) != IDCANCEL;
}

void showInformation(const char* text, const char* caption) {
  MessageBoxA(frontEnd.mainWindow, text, caption, MB_ICONINFORMATION);
}

void setTextBoxText(TextBox box, const char* text) {
  SendMessageA(textBox(box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void scrollTextBoxToEnd(TextBox box) {
  // Past the end, then one line back, so the last line is not left alone.
  SendMessageA(textBox(box), EM_LINESCROLL, 0, 1000000);
  SendMessageA(textBox(box), EM_LINESCROLL, 0, -1);
}

void getTextBoxText(TextBox box, char* buffer, int size) {
  if (size <= 0) return;
  buffer[0] = '\0';
  SendMessageA(textBox(box), WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer));
  buffer[size - 1] = '\0';
}

void uncheckEntryBox() {
  SendMessageA(frontEnd.entryButton, BM_SETCHECK, 0, 0);
}

DrawSurface& windowSurface() {
  heldSurface.attach(frontEnd.windowDc);
  return heldSurface;
}

void invalidateStatusLine() {
  const Rect& status = game.layout.statusRect;
  const RECT rect = {status.left, status.top, status.right, status.bottom};
  InvalidateRect(frontEnd.mainWindow, &rect, FALSE);
}

void setMenuCheck(int command, bool checked) {
  CheckMenuItem(frontEnd.mainMenu, UINT(command),
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void focusMainWindow() {
  SetFocus(frontEnd.mainWindow);
}

bool isMessagePending() {
  MSG message;
  return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

void dispatchNextMessage() {
  MSG message;
  if (GetMessageA(&message, nullptr, 0, 0) == 0) std::exit(0);
  // No accelerator table is loaded; the keys are handled as messages.
  if (TranslateAcceleratorA(frontEnd.mainWindow, nullptr, &message) == 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void postQuit() {
  PostQuitMessage(0);
}

std::int64_t readPerformanceCounter() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

std::int64_t readPerformanceFrequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

std::uint32_t readTickCount() {
  return GetTickCount();
}

void openWebPage(const char* address) {
  ShellExecuteA(nullptr, nullptr, address, nullptr, "", SW_SHOW);
}
