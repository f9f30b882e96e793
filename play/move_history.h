// The one operation that changes a cell, and the move history with undo and redo.
#pragma once

#include "state/grid.h"

// The one operation that changes a cell during play; in entry mode it writes
// the givens too and records nothing.
void setCell(CellIndex cell, int value);
void undoMove();
void redoMove();
// Analysis, full repaint, text panes: what follows every change of the board.
void refreshAfterChange();
