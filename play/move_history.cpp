// The one operation that changes a cell, and the move history with undo and redo.
#include "play/move_history.h"

#include "model/analysis.h"
#include "play/text_panes.h"
#include "state/game_state.h"
#include "state/platform.h"

void refreshAfterChange() {
  computeCandidates();
  computeCellColours();
  repaintWindow();
  refreshTextPanes();
}

void setCell(CellIndex cell, int value) {
  if (game.entryMode != 0) {
    // While a puzzle is being typed in, every digit is a clue and nothing is
    // recorded; the redraw runs even when the value is unchanged.
    game.board[cell] = value;
    game.givens[cell] = value;
    refreshAfterChange();
    return;
  }
  // Checked before the limit so that re-setting a cell never beeps.
  if (value == game.board[cell]) return;
  if (game.moveCount == kMaxMoves) {
    beep(kBeepDefault);
    return;
  }
  if (game.redoCount > 0) {
    // Repeating the next undone move by hand keeps the rest of the chain
    // redoable; anything else makes it meaningless.
    const Move& next = game.moveHistory[game.moveCount];
    if (next.cell == cell && next.value == value) {
      --game.redoCount;
    } else {
      game.redoCount = 0;
    }
  }
  game.moveHistory[game.moveCount] = Move{cell, value};
  ++game.moveCount;
  game.board[cell] = value;
  refreshAfterChange();
}

void undoMove() {
  if (game.moveCount == 0) return;
  ++game.redoCount;
  --game.moveCount;
  // No previous values are stored: the board is rebuilt from the clues by
  // replaying the moves still in effect.
  for (int c = 0; c < kCellCount; ++c) game.board[c] = game.givens[c];
  for (int i = 0; i < game.moveCount; ++i) {
    game.board[game.moveHistory[i].cell] = game.moveHistory[i].value;
  }
  refreshAfterChange();
}

void redoMove() {
  if (game.redoCount == 0) return;
  const Move next = game.moveHistory[game.moveCount];
  setCell(next.cell, next.value);
}
