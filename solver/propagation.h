// The search's propagation over per-digit cell sets.
#pragma once

#include "state/solver_frame.h"

// The search's own propagation. It reaches the same frames as the two passes
// run in the search's loop, but works on sets of cells per digit (the
// digitCells, emptyCells and candidateCount of the frame), so that a placement
// is a handful of word operations and a whole pass is a few hundred.

// Sets up the cell sets of a frame whose values (0-9) were just written.
// False when the values repeat a digit in a row, column or box.
bool prepareFrame(SolverFrame& frame);
// Gives a child the parent's position (its cell sets, not its values) with
// one more digit placed into an empty cell. False when the cell does not
// allow the digit: the child is then a dead end.
bool branchFrame(SolverFrame& child, const SolverFrame& parent, CellIndex cell, int digit);
// The search's propagation loop: naked singles to a standstill, then rounds
// of one hidden pass and the naked singles its digits cause, ending after a
// hidden pass that writes nothing or whose digits leave no naked single.
// False on a dead end: a cell without candidates, or two hidden singles that
// contradict each other. A frame it leaves full has its grid written into
// values; one whose prepared values repeated a digit is a dead end instead.
bool propagateFrame(SolverFrame& frame);
// The empty cell with the fewest candidates, the lowest index among equals;
// kNoCell when no cell is empty. Only right after propagateFrame.
CellIndex chooseBranchCell(const SolverFrame& frame);
// The candidate mask of an empty cell.
CandidateMask cellCandidates(const SolverFrame& frame, CellIndex cell);
