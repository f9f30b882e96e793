// What the Windows tests of the real window share: messages, pixels, boxes.
#pragma once

#include <windows.h>

#include <string>

#include "state/game_state.h"

// The main window of the test process runs the real program. These helpers
// drive it with real messages and read back what the controls show.

// A message the tests post to the main window; the test subclass answers it
// by noting the solver's state and running probeAction.
constexpr UINT kProbeMessage = WM_APP + 1;

struct ProbeRecord {
  int handled;
  bool solverIdle;
  int nodeCount;
};
extern ProbeRecord probeRecord;
extern void (*probeAction)();

// Replaces the main window's procedure with one that answers kProbeMessage.
void installProbe();

// Dispatches messages until done() holds or the time runs out.
bool pumpUntil(bool (*done)(), int timeoutMilliseconds);

// The text a control holds.
std::string windowText(HWND window);
// The pixels a window shows, frame and scroll bars included, as 32-bit
// colours row by row.
std::string windowPixels(HWND window);
// The same for an area of the main window's client area.
std::string clientPixels(const Rect& area);
// board as 81 characters.
std::string boardCells();

// Types a position into the position box and lets a timer tick adopt and
// solve it; the history is emptied first so no question is asked.
void pastePosition(const std::string& cells);

// The centre of a cell in client coordinates, and a mouse move to it.
POINT cellCentre(CellIndex cell);
void hoverOver(CellIndex cell);
void hoverOffBoard();

CellIndex firstEmptyCell();
// The first empty cell with digit among its candidates, or kNoCell.
CellIndex emptyCellWithCandidate(int digit);

// Message boxes shown by the program are answered from a timer that runs in
// their modal loop. Every box with the caption is answered until stopped.
struct BoxWatch {
  char caption[64];
  int answer;
  int seen;
  char lastText[1024];
};
extern BoxWatch boxWatch;
void answerBoxes(const char* caption, int answer);
// Closes, as a test failure, any box left open for ten seconds, so that a
// box nobody answers fails the test instead of hanging it.
void installBoxWatchdog();
void stopAnsweringBoxes();

LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
COLORREF pixelAt(int x, int y);
