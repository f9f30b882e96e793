// Fill in Easy Squares and Fill in Solution, one move at a time.
#include "play/assisted_fill.h"

#include <bit>

#include "model/analysis.h"
#include "model/colours.h"
#include "model/tables.h"
#include "play/move_history.h"
#include "state/bit_count.h"
#include "state/game_state.h"
#include "state/platform.h"

namespace {

// setCell refuses only when the history is full, and then leaves the cell
// as it was; the commands stop there instead of choosing it forever.
bool fillCell(CellIndex cell, int value) {
  setCell(cell, value);
  return game.board[cell] == value;
}

CellIndex firstCellColoured(Colour colour) {
  for (int c = 0; c < kCellCount; ++c) {
    if (game.cellColour[c] == colour) return c;
  }
  return kNoCell;
}

CellIndex firstCellWithCandidateCount(int count) {
  for (int c = 0; c < kCellCount; ++c) {
    if (bitCount(game.candidates[c]) == count) return c;
  }
  return kNoCell;
}

CellIndex nextCellToSolve() {
  CellIndex cell = firstCellColoured(kColourNakedSingle);
  if (cell != kNoCell) return cell;
  cell = firstCellColoured(kColourHiddenSingle);
  if (cell != kNoCell) return cell;
  for (int count = 1; count <= 9; ++count) {
    cell = firstCellWithCandidateCount(count);
    if (cell != kNoCell) return cell;
  }
  return kNoCell;
}

bool anyCellInError() {
  for (int c = 0; c < kCellCount; ++c) {
    if (isCellInError(c)) return true;
  }
  return false;
}

}  // namespace

void fillInSolution() {
  if (!game.solutionFound) {
    beep(kBeepDefault);
    return;
  }
  // Wrong digits go first, each an erasure of its own; empty cells are left
  // alone by setCell.
  for (int c = 0; c < kCellCount; ++c) {
    if (game.board[c] != game.solution[c] && !fillCell(c, 0)) return;
  }
  // Every pass fills one empty cell, so there are never more than 81; the
  // bound also guards against a solution that would write nothing.
  for (int fills = 0; fills < kCellCount; ++fills) {
    const CellIndex cell = nextCellToSolve();
    if (cell == kNoCell) return;
    if (game.solution[cell] == 0 || !fillCell(cell, game.solution[cell])) return;
  }
}

void fillInEasySquares() {
  for (;;) {
    if (anyCellInError()) return;
    const CellIndex cell = firstCellWithCandidateCount(1);
    if (cell == kNoCell) return;
    const int digit = std::countr_zero(static_cast<unsigned>(game.candidates[cell])) + 1;
    if (!fillCell(cell, digit)) return;
  }
}
