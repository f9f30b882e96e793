// The program's real start-up in a child process, set up to fail or to be
// quit in the middle of a search; the exit code is what the test checks.
//   taken-class       "Sudoku" is registered already: exit code 1
//   blocked-window    a hook cancels the window's creation: exit code 2
//   quit-in-search F  closes the window during a long search: exit code 0,
//                     and F tells whether the search was still running
//   exit-in-search F  the same with File > Exit, whose quit message the
//                     search's own pump meets
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "play/text_panes.h"
#include "state/game_state.h"
#include "tests/support/grid_text.h"
#include "ui/commands.h"
#include "ui/win32/front_end.h"
#include "ui/win32/main_window.h"
#include "ui/win32/startup.h"

namespace {

const char* markerPath = nullptr;

LRESULT CALLBACK refuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void writeMarker() {
  std::FILE* file = std::fopen(markerPath, "w");
  if (!file) return;
  std::fprintf(file, "searching=%d nodes=%d\n", game.solverIdle ? 0 : 1, game.nodeCount);
  std::fclose(file);
}

// Unsolvable; its search takes 5934 nodes, so it pumps messages five times.
const char kLongSearch[] =
    "1...............12..3.45........63...1.2......4.....7....8.....7...1....8.9...5..";

// Posts message to the window, then starts a long search that pumps it.
int quitInSearch(HINSTANCE instance, UINT message, WPARAM wParam) {
  const int failure = startUp(instance, SW_SHOWNORMAL);
  if (failure != 0) return failure;
  readCells(kLongSearch, game.board);
  readCells(kLongSearch, game.givens);
  refreshTextPanes();
  game.pendingSolve = true;
  std::atexit(&writeMarker);
  PostMessageA(frontEnd.mainWindow, message, wParam, 0);
  SendMessageA(frontEnd.mainWindow, WM_TIMER, kTimerId, 0);
  // Reached only when the search ignored the close.
  return 7;
}

}  // namespace

// File > Exit as the menu sends it, then the program's own message loop.
int exitFromTheMenu(HINSTANCE instance) {
  const int failure = startUp(instance, SW_SHOWNORMAL);
  if (failure != 0) return failure;
  PostMessageA(frontEnd.mainWindow, WM_COMMAND, kCmdExit, 0);
  runMessageLoop();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showState) {
  if (std::strncmp(commandLine, "taken-class", 11) == 0) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kMainClassName;
    RegisterClassA(&windowClass);
  } else if (std::strncmp(commandLine, "blocked-window", 14) == 0) {
    SetWindowsHookExA(WH_CBT, &refuseCreation, nullptr, GetCurrentThreadId());
  } else if (std::strncmp(commandLine, "file-exit", 9) == 0) {
    std::exit(exitFromTheMenu(instance));
  } else if (std::strncmp(commandLine, "quit-in-search ", 15) == 0) {
    markerPath = commandLine + 15;
    std::exit(quitInSearch(instance, WM_CLOSE, 0));
  } else if (std::strncmp(commandLine, "exit-in-search ", 15) == 0) {
    markerPath = commandLine + 15;
    std::exit(quitInSearch(instance, WM_COMMAND, kCmdExit));
  } else {
    return 9;
  }
  const int failure = startUp(instance, showState);
  if (failure != 0) std::exit(failure);
  return 8;
}
