// Times typed moves, undo, Fill in Solution and a full repaint in the real
// window, and prints the figures and what the text boxes show afterwards.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/analysis.h"
#include "model/builtin_puzzles.h"
#include "state/game_state.h"
#include "tests/windows/window_support.h"
#include "ui/commands.h"
#include "ui/win32/front_end.h"
#include "ui/win32/startup.h"

namespace {

constexpr int kSamples = 15;
double counterMs = 0.0;

double nowMs() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) * counterMs;
}

// The messages a move leaves queued (the boxes' own paints among them) are
// part of what the move costs, so every timing ends with the queue empty.
void drainQueue() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

double median(double* values, int count) {
  std::sort(values, values + count);
  return values[count / 2];
}

double timeMessage(UINT message, WPARAM wParam) {
  const double start = nowMs();
  send(message, wParam);
  drainQueue();
  return nowMs() - start;
}

unsigned hashText(const std::string& text) {
  unsigned hash = 2166136261u;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

// What a user sees of the boxes, so runs before and after a change compare.
void printBoxes(const char* name) {
  drainQueue();
  const std::string moves = windowText(frontEnd.movesEdit);
  const std::string position = windowText(frontEnd.positionEdit);
  DWORD selStart = 0;
  DWORD selEnd = 0;
  SendMessageA(frontEnd.movesEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
               reinterpret_cast<LPARAM>(&selEnd));
  std::printf(
      "boxes %-22s moves=%4d lines=%4d first=%4d sel=%lu,%lu modified=%d movesHash=%08x "
      "length=%5zu positionHash=%08x positionFirst=%d pixels=%08x,%08x\n",
      name, game.moveCount, int(SendMessageA(frontEnd.movesEdit, EM_GETLINECOUNT, 0, 0)),
      int(SendMessageA(frontEnd.movesEdit, EM_GETFIRSTVISIBLELINE, 0, 0)), selStart, selEnd,
      int(SendMessageA(frontEnd.movesEdit, EM_GETMODIFY, 0, 0)), hashText(moves), moves.size(),
      hashText(position), int(SendMessageA(frontEnd.positionEdit, EM_GETFIRSTVISIBLELINE, 0, 0)),
      hashText(windowPixels(frontEnd.movesEdit)), hashText(windowPixels(frontEnd.positionEdit)));
}

CellIndex cellA = kNoCell;
CellIndex cellB = kNoCell;

// Two empty cells of the pasted first built-in puzzle, filled below with
// their solution digits so that the digit typed into cellA stays legal.
void pickCells() {
  pastePosition(kBuiltInPuzzles[0]);
  cellA = firstEmptyCell();
  for (CellIndex c = cellA + 1; c < kCellCount && cellB == kNoCell; ++c)
    if (game.board[c] == 0) cellB = c;
}

// A history of count moves, without a refresh per move: cellB filled first
// when count is odd, then cellA alternately filled and erased, so cellA
// ends empty.
void presetHistory(int count) {
  for (int c = 0; c < kCellCount; ++c) game.board[c] = game.givens[c];
  int i = 0;
  if (count % 2 != 0) {
    game.moveHistory[i++] = Move{cellB, game.solution[cellB]};
    game.board[cellB] = game.solution[cellB];
  }
  while (i < count) {
    game.moveHistory[i++] = Move{cellA, game.solution[cellA]};
    game.moveHistory[i++] = Move{cellA, 0};
  }
  game.moveCount = count;
  game.redoCount = 0;
  computeCandidates();
  computeCellColours();
}

WPARAM digitKeyA() {
  return WPARAM('0' + game.solution[cellA]);
}

// A message's own handling and then the messages it left queued, in ms.
struct Split {
  double handled;
  double queued;
};

Split timeSplit(UINT message, WPARAM wParam) {
  const double start = nowMs();
  send(message, wParam);
  const double handled = nowMs();
  drainQueue();
  return {handled - start, nowMs() - handled};
}

double medianOf(const Split* splits, double Split::*part) {
  double values[kSamples];
  for (int i = 0; i < kSamples; ++i) values[i] = splits[i].*part;
  return median(values, kSamples);
}

void timeTypedMoves(int listed) {
  pastePosition(kBuiltInPuzzles[0]);
  presetHistory(listed);
  hoverOver(cellA);
  // The first move after the preset writes the whole list once.
  timeMessage(WM_CHAR, digitKeyA());
  timeMessage(WM_KEYDOWN, VK_BACK);
  double typed[kSamples];
  double undone[kSamples];
  Split typedSplit[kSamples];
  double ticks[kSamples];
  for (int i = 0; i < kSamples; ++i) {
    typed[i] = timeMessage(WM_CHAR, digitKeyA());
    undone[i] = timeMessage(WM_KEYDOWN, VK_BACK);
    typedSplit[i] = timeSplit(WM_CHAR, digitKeyA());
    timeMessage(WM_KEYDOWN, VK_BACK);
    ticks[i] = timeMessage(WM_TIMER, kTimerId);
  }
  std::printf(
      "typed move with %4d moves listed: %8.2f ms (handling %.2f + queued paints %.2f)   undo "
      "back to %4d: %8.2f ms   timer tick: %6.2f ms\n",
      listed, median(typed, kSamples), medianOf(typedSplit, &Split::handled),
      medianOf(typedSplit, &Split::queued), listed, median(undone, kSamples),
      median(ticks, kSamples));
}

// A typed move at each list length around listed. Whether the scroll bar's
// thumb moves differs from one length to the next, and under Wine redrawing
// it costs more than the rest of the move.
void timeTypedMovesAround(int listed) {
  constexpr int kLengths = 11;
  double each[kLengths];
  for (int k = 0; k < kLengths; ++k) {
    pastePosition(kBuiltInPuzzles[0]);
    presetHistory(listed - kLengths / 2 + k);
    hoverOver(cellA);
    timeMessage(WM_CHAR, digitKeyA());
    timeMessage(WM_KEYDOWN, VK_BACK);
    double typed[5];
    for (double& ms : typed) {
      ms = timeMessage(WM_CHAR, digitKeyA());
      timeMessage(WM_KEYDOWN, VK_BACK);
    }
    each[k] = median(typed, 5);
  }
  const double middle = median(each, kLengths);
  std::printf("typed moves with %4d..%4d listed: fastest %.2f, median %.2f, slowest %.2f ms\n",
              listed - kLengths / 2, listed + kLengths / 2, each[0], middle, each[kLengths - 1]);
}

double timeSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const double start = nowMs();
  SendMessageA(window, message, wParam, lParam);
  return nowMs() - start;
}

// The messages a refresh sends, each timed on its own with the list as a
// refresh leaves it.
void timeRefreshMessages(int listed) {
  pastePosition(kBuiltInPuzzles[0]);
  presetHistory(listed);
  hoverOver(cellA);
  send(WM_CHAR, digitKeyA());
  drainQueue();
  const std::string moves = windowText(frontEnd.movesEdit);
  const std::string position = windowText(frontEnd.positionEdit);
  const auto movesText = reinterpret_cast<LPARAM>(moves.c_str());
  const auto positionText = reinterpret_cast<LPARAM>(position.c_str());
  double setMoves[kSamples];
  double scrollDown[kSamples];
  double scrollBack[kSamples];
  double setPosition[kSamples];
  double drain[kSamples];
  for (int i = 0; i < kSamples; ++i) {
    setMoves[i] = timeSend(frontEnd.movesEdit, WM_SETTEXT, 0, movesText);
    scrollDown[i] = timeSend(frontEnd.movesEdit, EM_LINESCROLL, 0, 1000000);
    scrollBack[i] = timeSend(frontEnd.movesEdit, EM_LINESCROLL, 0, -1);
    setPosition[i] = timeSend(frontEnd.positionEdit, WM_SETTEXT, 0, positionText);
    const double start = nowMs();
    drainQueue();
    drain[i] = nowMs() - start;
  }
  double movesClient[kSamples];
  double movesFrame[kSamples];
  double positionClient[kSamples];
  for (int i = 0; i < kSamples; ++i) {
    double start = nowMs();
    RedrawWindow(frontEnd.movesEdit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    movesClient[i] = nowMs() - start;
    start = nowMs();
    RedrawWindow(frontEnd.movesEdit, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    movesFrame[i] = nowMs() - start;
    start = nowMs();
    RedrawWindow(frontEnd.positionEdit, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    positionClient[i] = nowMs() - start;
  }
  std::printf("  repaint: moves client %.2f, moves with frame %.2f, position client %.2f ms\n",
              median(movesClient, kSamples), median(movesFrame, kSamples),
              median(positionClient, kSamples));
  std::printf(
      "  %4d lines: WM_SETTEXT moves %7.2f, EM_LINESCROLL down %7.2f, back %7.2f, WM_SETTEXT "
      "position %7.2f, queued messages %7.2f ms\n",
      listed + 1, median(setMoves, kSamples), median(scrollDown, kSamples),
      median(scrollBack, kSamples), median(setPosition, kSamples), median(drain, kSamples));
}

void timeRepaint() {
  double twice[kSamples];
  for (int i = 0; i < kSamples; ++i) {
    const double start = nowMs();
    send(WM_CHAR, 's');
    send(WM_CHAR, 's');
    drainQueue();
    twice[i] = nowMs() - start;
  }
  std::printf("full repaint, the s key twice: %8.2f ms\n", median(twice, kSamples));
}

bool readFirstPuzzle(const char* path, std::string* cells) {
  FILE* file = std::fopen(path, "r");
  if (!file) return false;
  char line[256] = {};
  const bool read = std::fgets(line, sizeof line, file) != nullptr;
  std::fclose(file);
  *cells = std::string(line, std::strcspn(line, "\r\n"));
  return read && cells->size() == size_t(kCellCount);
}

void timeFillInSolution(const std::string& cells) {
  pastePosition(cells);
  if (!game.solutionFound) {
    std::printf("the 17-clue puzzle was not solved\n");
    return;
  }
  const double ms = timeMessage(WM_COMMAND, kCmdFillSolution);
  std::printf("Fill in Solution, 17 clues, %d moves: %8.3f s\n", game.moveCount, ms / 1000.0);
  printBoxes("fill-solution");
}

// Every kind of refresh once, each followed by the boxes as shown.
void showBoxes(const std::string& seventeen) {
  pastePosition(kBuiltInPuzzles[0]);
  printBoxes("pasted");
  hoverOver(cellA);
  send(WM_CHAR, digitKeyA());
  drainQueue();
  printBoxes("typed-1");
  presetHistory(100);
  send(WM_CHAR, digitKeyA());
  drainQueue();
  printBoxes("typed-101");
  send(WM_KEYDOWN, VK_BACK);
  drainQueue();
  printBoxes("undo-100");
  send(WM_KEYDOWN, VK_BACK);
  send(WM_KEYDOWN, VK_BACK);
  drainQueue();
  printBoxes("undo-98");
  send(WM_KEYDOWN, VK_RIGHT);
  drainQueue();
  printBoxes("redo-99");
  SetWindowTextA(frontEnd.movesEdit, "typed by the user\r\n1. (9, 9) = 9\r\n");
  send(WM_KEYDOWN, VK_RIGHT);
  drainQueue();
  printBoxes("garbage-then-redo");
  const std::string moves = windowText(frontEnd.movesEdit);
  SetWindowTextA(frontEnd.movesEdit, (moves + "more typing").c_str());
  send(WM_KEYDOWN, VK_BACK);
  drainQueue();
  printBoxes("appended-then-undo");
  SetWindowTextA(frontEnd.movesEdit, moves.substr(0, moves.size() / 2).c_str());
  send(WM_KEYDOWN, VK_RIGHT);
  drainQueue();
  printBoxes("cut-then-redo");
  SendMessageA(frontEnd.movesEdit, EM_SETSEL, 5, 5);
  SendMessageA(frontEnd.movesEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
  send(WM_KEYDOWN, VK_BACK);
  drainQueue();
  printBoxes("typed-inside-then-undo");
  presetHistory(999);
  send(WM_CHAR, digitKeyA());
  drainQueue();
  printBoxes("typed-1000");
  send(WM_CHAR, ' ');
  drainQueue();
  printBoxes("refused-at-1000");
  send(WM_KEYDOWN, VK_BACK);
  drainQueue();
  printBoxes("undo-999");
  pastePosition(kBuiltInPuzzles[0]);
  printBoxes("pasted-again");
  send(WM_COMMAND, kCmdFillEasy);
  drainQueue();
  printBoxes("fill-easy");
  send(WM_COMMAND, kCmdFillSolution);
  drainQueue();
  printBoxes("fill-solution-after");
  for (int i = 0; i < 5; ++i) send(WM_KEYDOWN, VK_BACK);
  drainQueue();
  printBoxes("undo-5-of-solved");
  if (!seventeen.empty()) {
    pastePosition(seventeen);
    printBoxes("pasted-17");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* puzzlePath = argc > 1 ? argv[1] : "data/17clue.txt";
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  counterMs = 1000.0 / double(frequency.QuadPart);
  if (startUp(GetModuleHandleA(nullptr), SW_SHOWNORMAL) != 0) {
    std::fprintf(stderr, "the window did not open\n");
    return 1;
  }
  UpdateWindow(frontEnd.mainWindow);
  pumpUntil([] { return game.nodeCount > 0 && game.solverIdle; }, 20000);
  // The program's own ticks would land inside the timings at random.
  KillTimer(frontEnd.mainWindow, kTimerId);
  std::string seventeen;
  if (!readFirstPuzzle(puzzlePath, &seventeen)) {
    std::fprintf(stderr, "cannot read the first puzzle of %s\n", puzzlePath);
    seventeen.clear();
  }

  pickCells();
  showBoxes(seventeen);
  timeRepaint();
  for (const int listed : {2, 100, 999}) timeTypedMoves(listed);
  for (const int listed : {100, 500}) timeTypedMovesAround(listed);
  std::printf("the messages of one refresh, each on its own:\n");
  for (const int listed : {2, 100, 999}) timeRefreshMessages(listed);
  if (!seventeen.empty()) timeFillInSolution(seventeen);
  std::fflush(stdout);
  DestroyWindow(frontEnd.mainWindow);
  return 0;
}
