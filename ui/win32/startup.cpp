// Start-up: the puzzle, the window class, the window, and the message loop.
#include <cstdlib>

#include "model/analysis.h"
#include "model/builtin_puzzles.h"
#include "model/tables.h"
#include "state/platform.h"
#include "ui/commands.h"
#include "ui/win32/front_end.h"
#include "ui/win32/main_window.h"
#include "ui/win32/startup.h"
#include "ui/win32/window_proc.h"

FrontEnd frontEnd;

namespace {

bool registerMainClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = 0;
  windowClass.lpfnWndProc = &windowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = frontEnd.appInstance;
  windowClass.hIcon = LoadIconA(frontEnd.appInstance, MAKEINTRESOURCEA(VANTRIC_ICON_RESOURCE));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = frontEnd.backgroundBrush;
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = kMainClassName;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace

int startUp(HINSTANCE instance, int showState) {
  loadBuiltInPuzzle();
  initTables();
  analysePosition();
  frontEnd.appInstance = instance;
  frontEnd.backgroundBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  if (!registerMainClass()) return kExitNoClass;
  frontEnd.mainMenu = LoadMenuA(frontEnd.appInstance, MAKEINTRESOURCEA(VANTRIC_MENU_RESOURCE));
  // WM_CREATE runs inside this call, before mainWindow is known.
  frontEnd.mainWindow = CreateWindowExA(0, kMainClassName, kMainTitle, kMainWindowStyle, 0, 0, 0, 0,
                                        nullptr, frontEnd.mainMenu, frontEnd.appInstance, nullptr);
  if (frontEnd.mainWindow == nullptr) return kExitNoWindow;
  ShowWindow(frontEnd.mainWindow, showState);
  updateMenuChecks();
  return 0;
}

void runMessageLoop() {
  // dispatchNextMessage ends the process at the quit request.
  for (;;) dispatchNextMessage();
}
