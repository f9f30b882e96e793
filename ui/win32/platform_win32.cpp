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

// Past the end, then one line back, so the last line is not left alone.
void scrollToEnd(HWND edit) {
  SendMessageW(edit, EM_LINESCROLL, 0, 1000000);
  SendMessageW(edit, EM_LINESCROLL, 0, -1);
}

// Under Wine a visible box redraws its scroll bar on the spot at every
// change it makes to itself, and each redraw costs dozens of round trips to
// the Wine server. So the boxes are changed while hidden and then only what
// looks different is redrawn: the scroll bar when its thumb, arrows or size
// moved, the lines shown before that only moved up or down are scrolled on
// the screen, and the lines from the first changed one are repainted. Only
// the style bit is cleared, as WM_SETREDRAW does on Windows (Wine's box
// ignores that message), so nothing behind the box is repainted.
struct QuietUpdate {
  SCROLLINFO scroll;
  SCROLLBARINFO bar;
  int firstLine;
  int lineCount;
  bool pending;
};

// Where the text differs from what the box showed: characters [from, to)
// of the new text replaced what the box had there.
struct TextChange {
  int from;
  int to;
  bool changed;
};

SCROLLINFO scrollState(HWND edit) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(edit, SB_VERT, &info);
  return info;
}

SCROLLBARINFO barState(HWND edit) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof info;
  GetScrollBarInfo(edit, OBJID_VSCROLL, &info);
  return info;
}

bool sameScroll(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

// The scroll bar looks the same when its place, thumb and parts' states are.
bool sameBar(const SCROLLBARINFO& a, const SCROLLBARINFO& b) {
  if (!EqualRect(&a.rcScrollBar, &b.rcScrollBar) || a.dxyLineButton != b.dxyLineButton ||
      a.xyThumbTop != b.xyThumbTop || a.xyThumbBottom != b.xyThumbBottom)
    return false;
  for (int i = 0; i <= CCHILDREN_SCROLLBAR; ++i)
    if (a.rgstate[i] != b.rgstate[i]) return false;
  return true;
}

int firstLineShown(HWND edit) {
  return int(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

int lineCount(HWND edit) {
  return int(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
}

int lineOf(HWND edit, int index) {
  return int(SendMessageW(edit, EM_LINEFROMCHAR, WPARAM(index), 0));
}

// The height of a line as the box lays its lines out: how far below the
// start of line the next line starts; 0 when the box does not say.
int lineHeight(HWND edit, int line) {
  const auto start = SendMessageW(edit, EM_LINEINDEX, WPARAM(line), 0);
  const auto next = SendMessageW(edit, EM_LINEINDEX, WPARAM(line + 1), 0);
  if (start < 0 || next <= start) return 0;
  const auto top = SendMessageW(edit, EM_POSFROMCHAR, WPARAM(start), 0);
  const auto below = SendMessageW(edit, EM_POSFROMCHAR, WPARAM(next), 0);
  if (top == -1 || below == -1) return 0;
  return int(short(HIWORD(below))) - int(short(HIWORD(top)));
}

void setDrawn(HWND edit, bool drawn) {
  const LONG_PTR style = GetWindowLongPtrA(edit, GWL_STYLE);
  SetWindowLongPtrA(edit, GWL_STYLE, drawn ? style | WS_VISIBLE : style & ~LONG_PTR(WS_VISIBLE));
}

void beginQuietUpdate(HWND edit, QuietUpdate* update) {
  update->scroll = scrollState(edit);
  update->bar = barState(edit);
  update->firstLine = firstLineShown(edit);
  update->lineCount = lineCount(edit);
  update->pending = GetUpdateRect(edit, nullptr, FALSE) != 0;
  setDrawn(edit, false);
}

void redrawScrollBar(HWND edit, const SCROLLBARINFO& bar) {
  RECT rect = bar.rcScrollBar;
  MapWindowPoints(nullptr, edit, reinterpret_cast<POINT*>(&rect), 2);
  RedrawWindow(edit, &rect, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE);
}

// Lines that only moved are scrolled on the screen as the box scrolls
// itself; the lines of the changed paragraphs are repainted, to the bottom
// when the lines below them moved too.
void redrawLines(HWND edit, const QuietUpdate& update, const char* text, const TextChange& change) {
  RECT client;
  GetClientRect(edit, &client);
  const int first = firstLineShown(edit);
  const int height = lineHeight(edit, first);
  const int shown = height > 0 ? (client.bottom - client.top) / height : 0;
  const int moved = first - update.firstLine;
  bool whole = height <= 0 && (moved != 0 || change.changed);
  // A box with the keyboard focus shows its caret, which is not scrolled.
  if (!whole && moved != 0) whole = moved >= shown || -moved >= shown || GetFocus() == edit;
  if (whole) {
    InvalidateRect(edit, nullptr, TRUE);
    return;
  }
  RECT format;
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  if (moved != 0) {
    RECT area;
    IntersectRect(&area, &client, &format);
    ScrollWindowEx(edit, 0, -moved * height, nullptr, &area, nullptr, nullptr, SW_INVALIDATE);
  }
  if (!change.changed) return;
  int from = change.from;
  while (from > 0 && text[from - 1] != '\n') --from;
  RECT lines = client;
  lines.top = format.top + (lineOf(edit, from) - first) * height;
  if (lineCount(edit) == update.lineCount) {
    int to = change.to;
    while (text[to] != '\0' && text[to] != '\n') ++to;
    lines.bottom = format.top + (lineOf(edit, to) + 1 - first) * height;
  }
  if (lines.top < client.top) lines.top = client.top;
  if (lines.bottom > client.bottom) lines.bottom = client.bottom;
  if (lines.top < lines.bottom) InvalidateRect(edit, &lines, TRUE);
}

void endQuietUpdate(HWND edit, const QuietUpdate& update, const char* text,
                    const TextChange& change) {
  setDrawn(edit, true);
  // What is on the screen is known only when the box had nothing left to
  // paint; otherwise all of it is repainted.
  if (update.pending) {
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return;
  }
  // Showing the box again leaves Wine a frame repaint to do that would
  // draw the same scroll bar.
  RedrawWindow(edit, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
  if (!sameScroll(scrollState(edit), update.scroll)) {
    const SCROLLBARINFO bar = barState(edit);
    if (!sameBar(bar, update.bar)) redrawScrollBar(edit, bar);
  }
  redrawLines(edit, update, text, change);
}

// Writes text into the box as WM_SETTEXT does, changing only the part that
// differs from what it shows, and then shows its end when atEnd.
void replaceBoxText(HWND edit, const char* text, bool atEnd) {
  const int newLength = int(std::strlen(text));
  const int shownLength = int(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
  bool ascii = true;
  for (int i = 0; i < newLength && ascii; ++i) ascii = static_cast<unsigned char>(text[i]) < 0x80;
  if (!ascii || newLength >= kBoxTextSize || shownLength >= kBoxTextSize) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    if (atEnd) scrollToEnd(edit);
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
  const TextChange change = {prefix, newLength - suffix,
                             prefix + suffix < shownLength || middleLength > 0};
  if (change.changed) {
    SendMessageW(edit, EM_SETSEL, WPARAM(prefix), LPARAM(shownLength - suffix));
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(middle));
  }
  // What WM_SETTEXT leaves: caret at the start, shown from the top, not
  // modified, nothing to undo.
  SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(edit, EM_SETSEL, 0, 0);
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
  if (atEnd) scrollToEnd(edit);
  endQuietUpdate(edit, update, text, change);
}

// Wine hands every address to its winebrowser, which starts whether or not
// it finds a browser and tells which only by its exit code, a moment later.
// Other programs are not waited for: a browser may run on, or hand the
// address to one already running and end with a code of its own.
constexpr DWORD kWineBrowserWait = 5000;

bool isWineBrowser(HANDLE process) {
  char path[MAX_PATH];
  DWORD size = MAX_PATH;
  if (!QueryFullProcessImageNameA(process, 0, path, &size)) return false;
  const char* name = std::strrchr(path, '\\');
  return lstrcmpiA(name ? name + 1 : path, "winebrowser.exe") == 0;
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
  replaceBoxText(textBox(box), text, false);
}

void setTextBoxTextAtEnd(TextBox box, const char* text) {
  replaceBoxText(textBox(box), text, true);
}

void getTextBoxText(TextBox box, char* buffer, int size) {
  if (size <= 0) return;
  buffer[0] = '\0';
  SendMessageA(textBox(box), WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer));
  buffer[size - 1] = '\0';
}

void getTextBoxSelection(TextBox box, int* start, int* end) {
  DWORD from = 0;
  DWORD to = 0;
  SendMessageW(textBox(box), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
               reinterpret_cast<LPARAM>(&to));
  *start = int(from);
  *end = int(to);
}

void setTextBoxSelection(TextBox box, int start, int end) {
  const HWND edit = textBox(box);
  SendMessageW(edit, EM_SETSEL, WPARAM(start), LPARAM(end));
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
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

bool openWebPage(const char* address) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpFile = address;
  info.nShow = SW_SHOW;
  if (!ShellExecuteExA(&info)) return false;
  if (info.hProcess == nullptr) return true;
  bool opened = true;
  DWORD exitCode = 0;
  if (isWineBrowser(info.hProcess) &&
      WaitForSingleObject(info.hProcess, kWineBrowserWait) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(info.hProcess, &exitCode))
    opened = exitCode == 0;
  CloseHandle(info.hProcess);
  return opened;
}
