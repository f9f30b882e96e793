// The six puzzles the program can open with, and the pick of one at start.
#pragma once

constexpr int kBuiltInPuzzleCount = 6;
extern const char* const kBuiltInPuzzles[kBuiltInPuzzleCount];

// Picks one of the built-in puzzles from the millisecond tick count and
// writes it into givens.
void loadBuiltInPuzzle();
// Writes built-in puzzle number index into givens.
void loadBuiltInPuzzleAt(int index);
