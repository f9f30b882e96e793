// Reads a puzzle list one line at a time, lines of any length and any bytes.
#pragma once

#include <cstdio>

#include "cli/puzzle_line.h"

// Reads puzzles one line at a time from a stream, as cli/puzzle_line.h reads
// a line: '1'-'9' a digit, '0', '.' or '*' an empty cell, '#' the start of a
// comment to the end of the line. A line ends at LF, CR LF or a lone CR.
// Lines of any length and any bytes are read through a fixed buffer. Nine
// lines of nine candidate groups, with border lines before and among them,
// are one grid, and the borders right after it are its own; lines that make
// no grid are read each on its own, as they would be alone.
struct PuzzleReader {
  static constexpr int kBufferSize = 1 << 16;
  // A grid's nine rows and up to 15 borders before and among them; a line
  // past these ends the grid's lines unmade.
  static constexpr int kHeldLines = 24;
  // Null once the stream has ended or failed.
  std::FILE* file;
  unsigned char buffer[kBufferSize];
  int length;
  int position;
  long long lineNumber;
  // The last read got less than it asked for: the input may have paused.
  bool shortRead;
  // The last line ended at a CR; an LF right after it ends no line of its own.
  bool afterCarriageReturn;
  // The errno of a failed read, 0 while none failed.
  int readError;
  LineScan scan;
  // The rows and borders of a grid on nine lines read so far, each with its
  // reading alone; how many are rows, and their groups.
  int heldCount;
  int heldRows;
  long long firstRowNumber;
  PuzzleLine held[kHeldLines];
  std::uint16_t rows[kRowGroups][kRowGroups];
  // The last line but borders made a grid.
  bool afterGrid;
  // Lines read and not yet returned, in their order: held lines that made no
  // grid and the line that came after them.
  int queued;
  int queueNext;
  PuzzleLine queue[kHeldLines + 1];
};

enum ReadResult { kLineRead, kInputPaused, kInputEnded, kReadFailed };

void openPuzzleReader(PuzzleReader& reader, std::FILE* file);
// Reads up to the next line that holds more than blanks and a comment or a
// grid's border; lineNumber counts every line from 1, and a grid on nine
// lines has the number of its first. With mayPause, returns kInputPaused
// rather than wait for input that has not arrived yet, the start of a line
// among it, also in the middle of a grid on nine lines. A line cut by a
// failed read is dropped.
ReadResult readPuzzleLine(PuzzleReader& reader, bool mayPause, PuzzleLine& line);
