// Entering a new puzzle: the checkbox's entry mode and positions pasted into the box.
#include "play/puzzle_entry.h"

#include <algorithm>

#include "play/move_history.h"
#include "play/position_text.h"
#include "play/text_panes.h"
#include "state/game_state.h"
#include "state/platform.h"

const char kEraseQuestion[] = "Do you want to erase the current puzzle?";
const char kEraseCaption[] = "Vantric";

namespace {

// Moves are the player's work; anything that throws them away asks first.
bool mayEraseMoves() {
  if (game.moveCount == 0) return true;
  return askOkCancel(kEraseQuestion, kEraseCaption);
}

bool sameAsBoard(const int cells[kCellCount]) {
  for (int c = 0; c < kCellCount; ++c) {
    if (cells[c] != game.board[c]) return false;
  }
  return true;
}

// Writing the box moves its caret to the start; put it back where the user
// left it, so that the next correction lands in the cell meant, as far as
// the position text reaches.
void restoreSelection(int start, int end) {
  constexpr int kLength = kPositionTextSize - 1;
  setTextBoxSelection(kPositionBox, std::min(start, kLength), std::min(end, kLength));
}

}  // namespace

void onEntryBoxState(bool checked) {
  const int old = game.entryMode;
  game.entryMode = checked ? 1 : 0;
  if (game.entryMode == old) return;

  if (checked) {
    // entryMode already matches the box, so checkbox messages arriving while
    // the question is open are not taken for another change.
    if (!mayEraseMoves()) {
      game.entryMode = 0;
      uncheckEntryBox();
      return;
    }
    for (int c = 0; c < kCellCount; ++c) {
      game.board[c] = 0;
      game.givens[c] = 0;
    }
    game.moveCount = 0;
    game.redoCount = 0;
  } else {
    game.pendingSolve = true;
  }
  refreshAfterChange();
}

void syncPositionText() {
  // Ticks that arrive while the question below is open must neither read
  // the box again nor ask a second time.
  if (game.positionSyncBusy) return;
  game.positionSyncBusy = true;

  char text[kPositionFetchSize];
  getTextBoxText(kPositionBox, text, kPositionFetchSize);
  int cells[kCellCount];
  if (parseFetchedPosition(text, cells) && !sameAsBoard(cells)) {
    int start = 0;
    int end = 0;
    getTextBoxSelection(kPositionBox, &start, &end);
    if (!mayEraseMoves()) {
      // Put the board back into the box so the next tick does not ask again.
      refreshTextPanes();
    } else {
      for (int c = 0; c < kCellCount; ++c) {
        game.board[c] = cells[c];
        game.givens[c] = cells[c];
      }
      game.moveCount = 0;
      game.redoCount = 0;
      refreshAfterChange();
      game.pendingSolve = true;
    }
    restoreSelection(start, end);
  }

  game.positionSyncBusy = false;
}
