// The window-system door over the real window, its boxes and the Win32 clock.
#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <cstring>

#include "state/game_state.h"
#include "state/platform.h"
#include "ui/win32/front_end.h"
#include "ui/win32/gdi_surface.h"

namespace {

HWND textBox(TextBox box) {
  return box == kMovesBox ? frontEnd.movesEdit : frontEnd.positionEdit;
}

GdiSurface heldSurface(nullptr);

// Room for the longest text the program writes and for what a user may
// have typed; a longer box is rewritten whole.
constexpr int kBoxTextSize = 32768;

// Under Wine a visible box redraws its scroll bar on the spot at every
// change it makes to itself, and each redraw costs dozens of round trips to
// the Wine server. So the boxes are changed while hidden and then
// invalidated: the client area when the text or the first line shown
// changed, the frame with the scroll bar only when its range or position
// did. Only the style bit is cleared, as WM_SETREDRAW does on Windows (Wine's
// box ignores that message), so nothing behind the box is repainted.
struct QuietUpdate {
  SCROLLINFO before;
  int firstLine;
  bool pending;
};

SCROLLINFO scrollState(HWND edit) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(edit, SB_VERT, &info);
  return info;
}

int firstLineShown(HWND edit) {
  return int(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void setDrawn(HWND edit, bool drawn) {
  const LONG_PTR style = GetWindowLongPtrA(edit, GWL_STYLE);
  SetWindowLongPtrA(edit, GWL_STYLE, drawn ? style | WS_VISIBLE : style & ~LONG_PTR(WS_VISIBLE));
}

void beginQuietUpdate(HWND edit, QuietUpdate* update) {
  update->before = scrollState(edit);
  update->firstLine = firstLineShown(edit);
  update->pending = GetUpdateRect(edit, nullptr, FALSE) != 0;
  setDrawn(edit, false);
}

void endQuietUpdate(HWND edit, const QuietUpdate& update, bool changed) {
  setDrawn(edit, true);
  const SCROLLINFO after = scrollState(edit);
  if (after.nMin != update.before.nMin || after.nMax != update.before.nMax ||
      after.nPage != update.before.nPage || after.nPos != update.before.nPos) {
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return;
  }
  // Showing the box again leaves Wine a frame repaint to do that would draw
  // the same scroll bar. It is dropped only when the box had nothing else
  // to paint, so no repaint asked for by anyone else is lost.
  if (!update.pending) {
    RedrawWindow(edit, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
  }
  if (changed || firstLineShown(edit) != update.firstLine) InvalidateRect(edit, nullptr, TRUE);
}

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
  const HWND edit = textBox(box);
  const int newLength = int(std::strlen(text));
  const int shownLength = int(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
  bool ascii = true;
  for (int i = 0; i < newLength && ascii; ++i) ascii = static_cast<unsigned char>(text[i]) < 0x80;
  if (!ascii || newLength >= kBoxTextSize || shownLength >= kBoxTextSize) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return;
  }
  // Wine's box lays out and measures every line of a text it is given
  // whole, so only the part that differs from what it shows is replaced.
  static wchar_t shown[kBoxTextSize];
  static wchar_t middle[kBoxTextSize];
  shown[0] = L'\0';
  SendMessageW(edit, WM_GETTEXT, WPARAM(kBoxTextSize), reinterpret_cast<LPARAM>(shown));
  int prefix = 0;
  while (prefix < shownLength && prefix < newLength && shown[prefix] == wchar_t(text[prefix]))
    ++prefix;
  int suffix = 0;
  while (suffix < shownLength - prefix && suffix < newLength - prefix &&
         shown[shownLength - 1 - suffix] == wchar_t(text[newLength - 1 - suffix]))
    ++suffix;
  const int middleLength = newLength - prefix - suffix;
  for (int i = 0; i < middleLength; ++i) middle[i] = wchar_t(text[prefix + i]);
  middle[middleLength] = L'\0';

  QuietUpdate update;
  beginQuietUpdate(edit, &update);
  const bool textChanged = prefix + suffix < shownLength || middleLength > 0;
  if (textChanged) {
    SendMessageW(edit, EM_SETSEL, WPARAM(prefix), LPARAM(shownLength - suffix));
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(middle));
  }
  // What WM_SETTEXT leaves: caret at the start, shown from the top, not
  // modified, nothing to undo.
  SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(edit, EM_SETSEL, 0, 0);
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
  endQuietUpdate(edit, update, textChanged);
}

void scrollTextBoxToEnd(TextBox box) {
  const HWND edit = textBox(box);
  QuietUpdate update;
  beginQuietUpdate(edit, &update);
  // Past the end, then one line back, so the last line is not left alone.
  SendMessageA(edit, EM_LINESCROLL, 0, 1000000);
  SendMessageA(edit, EM_LINESCROLL, 0, -1);
  endQuietUpdate(edit, update, false);
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
