// The moves list and the position box, rewritten from the game state.
#include "play/text_panes.h"

#include <cstdio>

#include "model/tables.h"
#include "play/position_text.h"
#include "state/game_state.h"
#include "state/platform.h"

namespace {

bool boardIsFull() {
  for (int c = 0; c < kCellCount; ++c) {
    if (game.board[c] == 0) return false;
  }
  return true;
}

// Appends formatted text at length, never past the end of movesText.
template <typename... Args>
void appendMoves(int& length, const char* format, Args... args) {
  const int room = kMovesTextSize - length;
  if (room <= 1) return;
  const int written =
      std::snprintf(game.movesText + length, static_cast<std::size_t>(room), format, args...);
  if (written > 0) length += written < room ? written : room - 1;
}

void buildMovesText() {
  int length = 0;
  game.movesText[0] = '\0';
  for (int i = 0; i < game.moveCount; ++i) {
    const Move& move = game.moveHistory[i];
    const int column = columnOf(move.cell) + 1;
    const int row = rowOf(move.cell) + 1;
    if (move.value != 0) {
      appendMoves(length, "%d. (%d, %d) = %d\r\n", i + 1, column, row, move.value);
    } else {
      appendMoves(length, "%d. (%d, %d) = ?\r\n", i + 1, column, row);
    }
  }
  // Fullness alone decides: a full board with a conflict is announced too.
  if (boardIsFull()) appendMoves(length, "%s", "\r\nSolved!!!\r\n");
}

}  // namespace

void refreshTextPanes() {
  buildMovesText();
  setTextBoxTextAtEnd(kMovesBox, game.movesText);

  char position[kPositionTextSize];
  formatPositionText(position);
  setTextBoxText(kPositionBox, position);
}
