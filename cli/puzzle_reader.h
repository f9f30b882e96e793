// Reads a puzzle list one line at a time, lines of any length and any bytes.
#pragma once

#include <cstdio>

#include "state/game_state.h"

// Reads puzzles one line at a time from a stream: '1'-'9' a digit, '0', '.'
// or '*' an empty cell, '#' the start of a comment to the end of the line,
// every other byte skipped, the first 81 cells taken. A line ends at LF, CR
// LF or a lone CR. Lines of any length and any bytes are read through a
// fixed buffer.
struct PuzzleReader {
  static constexpr int kBufferSize = 1 << 16;
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
  // What the last line held after its 81st cell, up to its end or its
  // comment, such as a rating; only the first kRestSize bytes are kept.
  static constexpr int kRestSize = 256;
  char rest[kRestSize];
  int restLength;
};

enum ReadResult { kLineRead, kInputPaused, kInputEnded, kReadFailed };

void openPuzzleReader(PuzzleReader& reader, std::FILE* file);
// Reads up to the next line that holds more than blanks and a comment;
// cellCount tells how many cells the line gave (at most 81), lineNumber
// counts every line from 1. With mayPause, returns kInputPaused rather than
// wait for input that has not arrived yet. A line cut by a failed read is
// dropped.
ReadResult readPuzzleLine(PuzzleReader& reader, bool mayPause, int cells[kCellCount],
                          int* cellCount, long long* lineNumber);
