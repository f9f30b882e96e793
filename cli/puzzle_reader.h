// Reads a puzzle list one line at a time, lines of any length and any bytes.
#pragma once

#include <cstdio>

#include "state/game_state.h"

// Reads puzzles one line at a time from a stream: '1'-'9' a digit, '0', '.'
// or '*' an empty cell, every other byte skipped, the first 81 cells taken.
// Lines of any length and any bytes are read through a fixed buffer.
struct PuzzleReader {
  static constexpr int kBufferSize = 1 << 16;
  std::FILE* file;
  unsigned char buffer[kBufferSize];
  int length;
  int position;
  long long lineNumber;
};

void openPuzzleReader(PuzzleReader& reader, std::FILE* file);
// Reads up to the next line that is neither blank nor a '#' comment; false
// when the stream has none left. cellCount tells how many cells the line
// gave (at most 81); lineNumber counts every line from 1.
bool readPuzzleLine(PuzzleReader& reader, int cells[kCellCount], int* cellCount,
                    long long* lineNumber);
