// The position text: nine lines of nine cells written, any 81 cells read back.
#pragma once

#include "state/game_state.h"

// Size of the buffer the position box is fetched into, and how much of it is
// read.
constexpr int kPositionFetchSize = 10000;
constexpr int kPositionReadLimit = 9000;
// Nine lines of nine cells with CR LF, and a terminator.
constexpr int kPositionTextSize = 100;

// Reads 81 cells from a zero-terminated text: '1'-'9' a digit, '.' or '*' an
// empty cell, everything else skipped. False when the text has fewer cells.
bool parsePositionText(const char* text, int cells[kCellCount]);
// Reads the text as fetched from the position box, of which only the first
// kPositionReadLimit characters count.
bool parseFetchedPosition(char text[kPositionFetchSize], int cells[kCellCount]);
// Writes board as nine lines of nine characters, each ended by CR LF.
void formatPositionText(char text[kPositionTextSize]);
