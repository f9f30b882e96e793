// What one line of a puzzle list gives: its fields, the grids among them and
// the groups of candidates a helper program writes.
#pragma once

#include <cstdint>

#include "state/grid.h"

// A 729-cell field: nine places a cell, place k holding digit k + 1 or empty.
constexpr int kMarksCellCount = 9 * kCellCount;
// A row of a grid of candidate groups written on nine lines.
constexpr int kRowGroups = 9;

// A grid as a line writes it: each cell's digit, 0 for empty, and with
// pencil marks each empty cell's candidates, bit d - 1 for digit d.
struct GridText {
  std::int8_t value[kCellCount];
  std::uint16_t marks[kCellCount];
  bool marked;
};

// One line's reading: its puzzle and, when a second grid follows it on the
// line, that grid, which --hint reads as the player's position.
struct PuzzleLine {
  long long lineNumber;
  // 81 when the line gives a puzzle; fewer, the cells it holds, when not.
  int cellCount;
  GridText puzzle;
  bool hasPosition;
  GridText position;
};

enum class LineKind {
  // Nothing but blanks and a comment.
  kBlank,
  // A grid's border: '-' or '=' among '+', '|', '.', ':', '*', '\'' and
  // blanks, no digit and fewer than 81 cells. Its reading alone, as a line
  // that is not a puzzle, is kept for when it borders no grid.
  kRule,
  // Nine candidate groups, a row of a grid on nine lines; the line's
  // reading alone is kept for when no grid comes of it.
  kRow,
  // A puzzle, or a line that is not one (fewer than 81 cells).
  kEntry,
};

// A line being read byte by byte: the whole line's first 81 cells, the
// field being read, the first two grids among its fields, and the candidate
// groups since its start or since its first grid.
struct LineScan {
  bool blank;
  bool ruleOnly;
  bool ruleDash;
  int gathered;
  std::int8_t gatheredValues[kCellCount];
  int fieldBytes;
  // Counted to one past a field of pencil marks, so that longer ones differ.
  int fieldCells;
  std::int8_t fieldValues[kMarksCellCount];
  bool fieldGroupOnly;
  bool fieldRepeats;
  int fieldDigits;
  int gridCount;
  GridText grids[2];
  bool groupsOnly;
  // Counted to one past 81.
  int groupCount;
  std::uint16_t groups[kCellCount];
};

void startLineScan(LineScan& scan);
// One byte of the line, which is neither a line end nor the '#' that starts
// its comment.
void scanLineByte(LineScan& scan, unsigned char byte);
// Ends the line and says what it is. But for kBlank, line holds the
// reading (all but the line number); for kRow, rowGroups the nine groups.
LineKind endLineScan(LineScan& scan, PuzzleLine& line, std::uint16_t rowGroups[kRowGroups]);
// The reading of an 81-cell line read as a whole, whose values are cells.
void readCellLine(const std::int8_t values[kCellCount], PuzzleLine& line);
// A grid of candidate groups: one digit a filled cell, more its candidates.
void readGroupGrid(const std::uint16_t groups[kCellCount], GridText& grid);
