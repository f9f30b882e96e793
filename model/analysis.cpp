// The analysis of the live position: candidates, forced cells, conflicts and colours.
#include "model/analysis.h"

#include "model/colours.h"
#include "model/tables.h"
#include "state/bit_count.h"
#include "state/game_state.h"

void computeCandidates() {
  // Digits present per unit, bit d-1 for digit d: one sweep over the board
  // gives the same masks as OR-ing each cell's 27 unit entries.
  int present[kUnitCount] = {};
  for (int c = 0; c < kCellCount; ++c) {
    int value = game.board[c];
    if (value == 0) continue;
    int bit = 1 << (value - 1);
    for (int slot = 0; slot < 3; ++slot) present[cellUnitMap[c][slot]] |= bit;
  }
  for (int c = 0; c < kCellCount; ++c) {
    if (game.board[c] != 0) {
      game.candidates[c] = 0;
      continue;
    }
    const int* units = cellUnitMap[c];
    game.candidates[c] =
        ~(present[units[0]] | present[units[1]] | present[units[2]]) & kAllCandidates;
  }
}

bool isCellInError(CellIndex cell) {
  int value = game.board[cell];
  if (value == 0) return game.candidates[cell] == 0;
  for (int slot = 0; slot < 3; ++slot) {
    const int* unit = kUnitTable[cellUnitMap[cell][slot]];
    for (int i = 0; i < 9; ++i)
      if (unit[i] != cell && game.board[unit[i]] == value) return true;
  }
  return false;
}

void markHiddenSingles() {
  for (int c = 0; c < kCellCount; ++c) game.hiddenSingleDigit[c] = 0;
  for (int u = 0; u < kUnitCount; ++u) {
    const int* unit = kUnitTable[u];
    // Digits seen once and seen more than once across the unit's masks.
    int once = 0;
    int twice = 0;
    for (int i = 0; i < 9; ++i) {
      int mask = game.candidates[unit[i]];
      twice |= once & mask;
      once |= mask;
    }
    int single = once & ~twice;
    for (int d = 0; d < 9; ++d) {
      if ((single & (1 << d)) == 0) continue;
      int i = 0;
      while ((game.candidates[unit[i]] & (1 << d)) == 0) ++i;
      game.cellColour[unit[i]] = kColourHiddenSingle;
      game.hiddenSingleDigit[unit[i]] = d + 1;
    }
  }
}

namespace {

// Digits that occur more than once in each unit: a filled cell is in error
// exactly when its digit is repeated in one of its units.
void findRepeatedDigits(int repeated[kUnitCount]) {
  for (int u = 0; u < kUnitCount; ++u) {
    int seen = 0;
    repeated[u] = 0;
    for (int i = 0; i < 9; ++i) {
      int value = game.board[kUnitTable[u][i]];
      if (value == 0) continue;
      int bit = 1 << (value - 1);
      repeated[u] |= seen & bit;
      seen |= bit;
    }
  }
}

bool isInErrorWith(CellIndex cell, const int repeated[kUnitCount]) {
  int value = game.board[cell];
  if (value == 0) return game.candidates[cell] == 0;
  int bit = 1 << (value - 1);
  const int* units = cellUnitMap[cell];
  return ((repeated[units[0]] | repeated[units[1]] | repeated[units[2]]) & bit) != 0;
}

}  // namespace

void computeCellColours() {
  for (int c = 0; c < kCellCount; ++c) game.cellColour[c] = kColourPlain;
  markHiddenSingles();
  int repeated[kUnitCount];
  findRepeatedDigits(repeated);
  for (int c = 0; c < kCellCount; ++c) {
    if (isInErrorWith(c, repeated))
      game.cellColour[c] = kColourError;
    else if (game.givens[c] != 0)
      game.cellColour[c] = kColourGiven;
    else if (game.board[c] == 0 && !game.entryMode && bitCount(game.candidates[c]) == 1)
      game.cellColour[c] = kColourNakedSingle;
  }
}

void analysePosition() {
  computeCandidates();
  computeCellColours();
}
