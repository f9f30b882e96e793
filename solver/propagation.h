#pragma once

#include "state/game_state.h"

// The search's own propagation. It reaches the same frames as the two passes
// run in the search's loop, but keeps every empty cell's mask exact as digits
// are placed, so a node costs a few placements instead of whole-grid sweeps.
// Between the steps below, candidates holds 0 for a filled cell and the exact
// mask of an empty one, and the row, column and box digit masks and
// emptyCount match values.

// Cells whose mask has shrunk to a single digit, waiting to be filled. Masks
// only shrink within a node, so no cell is queued twice.
struct SingleQueue {
  int cells[kCellCount];
  int count;
};

// Sets up a frame whose values were just written and queues its singles.
// False when an empty cell has no candidate left.
bool prepareFrame(SolverFrame& frame, SingleQueue& queue);
// Places a digit allowed in an empty cell. False when a peer is left with no
// candidate.
bool placeDigit(SolverFrame& frame, CellIndex cell, int digit, SingleQueue& queue);
// Fills the queued singles and those they create, until none is left. False
// on a contradiction.
bool fillNakedSingles(SolverFrame& frame, SingleQueue& queue);
// Writes every hidden single of the current masks at once. False when the
// frame turns out to be a dead end: a cell left without candidates, or two
// writes that contradict each other.
bool fillHiddenSingles(SolverFrame& frame, SingleQueue& queue);
// The search's propagation loop: naked singles to a standstill, then rounds
// of one hidden pass and the naked singles it causes, ending after a hidden
// pass that writes nothing or one whose digits leave no naked single. False
// on a dead end.
bool propagateFrame(SolverFrame& frame, SingleQueue& queue);
// The empty cell with the fewest candidates, the lowest index among equals;
// kNoCell when no cell is empty.
CellIndex chooseBranchCell(const SolverFrame& frame);
// True when some row, column or box holds one digit twice.
bool repeatsDigit(const int values[kCellCount]);
