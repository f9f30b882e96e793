#pragma once

#include <cstdint>

// One cell of the grid: 0..80, row = index / 9, column = index % 9.
// -1 means "no cell" and is held only by hoverCell.
using CellIndex = int;
// Bit d-1 set when digit d is allowed; bits 0..8 only.
using CandidateMask = int;
// A Windows COLORREF, 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr int kCellCount = 81;
constexpr int kUnitCount = 27;
constexpr int kNoCell = -1;
constexpr CandidateMask kAllCandidates = 0x1FF;

struct SolverFrame {
  // The search's working sets of cells, 81 cells in two 64-bit words (rows
  // 0-5, then rows 6-8, ten bits a row): for each digit the cells that allow
  // it (an empty cell) or hold it (a filled one), the empty cells, and each
  // empty cell's number of candidates as four bit planes. They come first so
  // that a child's copy reads a few whole cache lines.
  std::uint64_t digitCells[9][2];
  std::uint64_t emptyCells[2];
  std::uint64_t candidateCount[4][2];
  int emptyCount;
  bool contradiction;
  int branchCount;
  // The grid: the search writes it at the root and when a frame is full.
  int values[kCellCount];
  int candidates[kCellCount];
};

constexpr int kMaxMoves = 1000;

struct Move {
  int cell;
  int value;
};

struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};

enum FontId { kFontGui = 0, kFontDigit = 1, kFontPosition = 2, kFontCount = 3 };

struct LayoutMetrics {
  // Pixels per logical inch of the display; the fixed distances of the
  // layout are designed for 96 and scaled by dpi / 96.
  int dpi;
  int lineHeight[kFontCount];
  int digitWidth[kFontCount];
  int cellWidth;
  int cellHeight;
  Rect boardRect;
  Rect buttonRect;
  Rect movesLabelRect;
  Rect movesEditRect;
  Rect positionLabelRect;
  Rect positionEditRect;
  Rect statusRect;
};

constexpr int kStatusTextSize = 1000;
constexpr int kMovesTextSize = 19000;

// The one process-wide record. Every subsystem reads and writes its fields
// directly; there is one thread, so nothing is locked. Window-system handles
// live with the Win32 front end, which is the only code that can use them.
struct GameState {
  int board[kCellCount];
  int givens[kCellCount];

  int candidates[kCellCount];
  Colour cellColour[kCellCount];
  int hiddenSingleDigit[kCellCount];

  SolverFrame frameStack[kCellCount];
  int solution[kCellCount];
  bool solutionFound;
  bool solverIdle;
  bool pendingSolve;
  // Set when a run is given up because a newer puzzle asked to be solved.
  bool solveAbandoned;
  int nodeCount;
  int searchDepth;
  // Deepest FrameStack slot the current or last run reached.
  int deepestSlot;
  double solveSeconds;
  double solveStartTime;
  double nextStatusRedraw;
  std::int64_t clockStart;
  double clockFrequency;
  char statusText[kStatusTextSize];

  Move moveHistory[kMaxMoves];
  int moveCount;
  int redoCount;
  char movesText[kMovesTextSize];

  int entryMode;
  bool positionSyncBusy;

  LayoutMetrics layout;

  CellIndex hoverCell;
  int showLegalMoves;
  int showColors;
  int failedClickCount;
};

extern GameState game;

// Puts every field back to its value at process start (tests start from it).
void resetGameState();
