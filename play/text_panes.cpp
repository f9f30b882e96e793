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

constexpr char kSolvedLine[] = "\r\nSolved!!!\r\n";

// The longest list: every move's line as long as "N. (9, 9) = 9\r\n" gets
// with its number, then the solved line and the terminating zero.
constexpr int longestMovesText() {
  int length = int(sizeof kSolvedLine);
  for (int n = 1; n <= kMaxMoves; ++n) {
    length += 14;
    for (int rest = n; rest != 0; rest /= 10) ++length;
  }
  return length;
}
static_assert(longestMovesText() <= kMovesTextSize, "the moves list always fits its buffer");

// Appends formatted text at length; the list always fits, so nothing is cut.
template <typename... Args>
void appendMoves(int& length, const char* format, Args... args) {
  length +=
      std::snprintf(game.movesText + length, std::size_t(kMovesTextSize - length), format, args...);
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
  if (boardIsFull()) appendMoves(length, "%s", kSolvedLine);
}

}  // namespace

void refreshTextPanes() {
  buildMovesText();
  setTextBoxTextAtEnd(kMovesBox, game.movesText);

  char position[kPositionTextSize];
  formatPositionText(position);
  setTextBoxText(kPositionBox, position);
}
