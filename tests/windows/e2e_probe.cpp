// Looks at the running Vantric window from another process in the same Wine
// prefix, the way a user sees it: window placement, where the board and its
// cells are, the text boxes' texts, whether it still answers, and closing it
// like the caption button does.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "state/game_state.h"
#include "ui/layout.h"
#include "ui/win32/fonts.h"

namespace {

HWND findMainWindow() {
  return FindWindowA("Sudoku", "Vantric");
}

struct EditSearch {
  HWND edits[2];
  int count;
};

BOOL CALLBACK collectEdit(HWND child, LPARAM data) {
  EditSearch* search = reinterpret_cast<EditSearch*>(data);
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  if (std::strcmp(className, "Edit") == 0 || std::strcmp(className, "EDIT") == 0) {
    if (search->count < 2) search->edits[search->count++] = child;
  }
  return TRUE;
}

// The moves list is created before the position box.
HWND findEdit(HWND window, int which) {
  EditSearch search = {};
  EnumChildWindows(window, &collectEdit, reinterpret_cast<LPARAM>(&search));
  return which < search.count ? search.edits[which] : nullptr;
}

int printText(HWND edit) {
  static char text[20000];
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 10000, &length))
    return 3;
  std::fwrite(text, 1, std::strlen(text), stdout);
  return 0;
}

int printPlacement(HWND window) {
  RECT outer;
  RECT client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(nullptr);
  std::printf("%ld %ld %ld %ld %ld %ld %ld %ld %d %d %d %d %d %d\n", outer.left, outer.top,
              outer.right - outer.left, outer.bottom - outer.top, origin.x, origin.y, client.right,
              client.bottom, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES),
              GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
              GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU));
  ReleaseDC(nullptr, screen);
  return 0;
}

void printRect(const char* name, const Rect& rect) {
  std::printf("%s %d %d %d %d\n", name, rect.left, rect.top, rect.right, rect.bottom);
}

void printChildRect(const char* name, HWND window, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  printRect(name, Rect{rect.left, rect.top, rect.right, rect.bottom});
}

// Where the program draws its board, in client coordinates: its own layout
// over the fonts measured on its own window, so every display and dpi gets
// the cells the program hit-tests. The children are read off the window.
int printLayout(HWND window) {
  const HDC dc = GetDC(window);
  createFonts(dc);
  ReleaseDC(window, dc);
  computeLayout();
  const LayoutMetrics& m = game.layout;
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    int x = 0;
    int y = 0;
    cellOrigin(cell, &x, &y);
    printRect("cell", Rect{x, y, x + m.cellWidth, y + m.cellHeight});
  }
  printRect("board", m.boardRect);
  printRect("status", m.statusRect);
  printChildRect("moves", window, findEdit(window, 0));
  printChildRect("position", window, findEdit(window, 1));
  printChildRect("button", window, FindWindowExA(window, nullptr, "Button", nullptr));
  return 0;
}

BOOL CALLBACK printWindow(HWND window, LPARAM) {
  char className[64] = {};
  char title[128] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  std::printf("%p class=%s title=\"%s\" visible=%d enabled=%d\n", static_cast<void*>(window),
              className, title, IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0);
  return TRUE;
}

// Every top-level window of the program's thread: message boxes included.
int printWindows(HWND window) {
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), &printWindow, 0);
  return 0;
}

// Which of the program's windows has the keyboard focus.
int printFocus(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return 3;
  char name[64] = "none";
  if (info.hwndFocus) GetClassNameA(info.hwndFocus, name, sizeof name);
  if (info.hwndFocus == window) std::strcpy(name, "main");
  if (info.hwndFocus && info.hwndFocus == findEdit(window, 0)) std::strcpy(name, "moves");
  if (info.hwndFocus && info.hwndFocus == findEdit(window, 1)) std::strcpy(name, "position");
  std::printf("%s\n", name);
  return 0;
}

struct BoxAnswer {
  WPARAM answer;
  int count;
};

BOOL CALLBACK answerBox(HWND window, LPARAM data) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  BoxAnswer* answer = reinterpret_cast<BoxAnswer*>(data);
  PostMessageA(window, WM_COMMAND, answer->answer, 0);
  ++answer->count;
  return TRUE;
}

// Answers every open message box of the program; 1 when there was one.
int answerBoxes(HWND window, const char* how) {
  BoxAnswer answer = {std::strcmp(how, "ok") == 0 ? WPARAM(IDOK) : WPARAM(IDCANCEL), 0};
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), &answerBox,
                    reinterpret_cast<LPARAM>(&answer));
  return answer.count ? 1 : 0;
}

// Waits until the program has worked through the input queued for it.
int waitUntilIdle(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (!process) return 3;
  const DWORD result = WaitForInputIdle(process, 30000);
  CloseHandle(process);
  return result == 0 ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const HWND window = findMainWindow();
  if (std::strcmp(argv[1], "exists") == 0) return window ? 0 : 1;
  if (!window) return 1;
  if (std::strcmp(argv[1], "placement") == 0) return printPlacement(window);
  if (std::strcmp(argv[1], "layout") == 0) return printLayout(window);
  if (std::strcmp(argv[1], "moves") == 0) return printText(findEdit(window, 0));
  if (std::strcmp(argv[1], "position") == 0) return printText(findEdit(window, 1));
  if (std::strcmp(argv[1], "windows") == 0) return printWindows(window);
  if (std::strcmp(argv[1], "focus") == 0) return printFocus(window);
  if (std::strcmp(argv[1], "idle") == 0) return waitUntilIdle(window);
  if (std::strcmp(argv[1], "boxes") == 0 && argc > 2) return answerBoxes(window, argv[2]);
  if (std::strcmp(argv[1], "alive") == 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) ? 0 : 3;
  }
  if (std::strcmp(argv[1], "close") == 0) return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 3;
  return 2;
}
