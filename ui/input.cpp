// What each key, click and mouse move does.
#include "ui/input.h"

#include <bit>

#include "model/tables.h"
#include "play/move_history.h"
#include "state/bit_count.h"
#include "state/game_state.h"
#include "state/platform.h"
#include "ui/commands.h"
#include "ui/layout.h"
#include "ui/paint.h"

namespace {

constexpr int kHintClick = 3;
const char kHintText[] = "You can fill in the solution for this square by right-clicking on it.";

}  // namespace

CellIndex hitTestCell(int x, int y) {
  // Both bounds are inclusive, so a shared outline or a box gap belongs to
  // the cell before it.
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    int x0 = 0;
    int y0 = 0;
    cellOrigin(cell, &x0, &y0);
    if (x0 <= x && x <= x0 + game.layout.cellWidth && y0 <= y && y <= y0 + game.layout.cellHeight)
      return cell;
  }
  return kNoCell;
}

void onMouseMove(int x, int y) {
  const CellIndex cell = hitTestCell(x, y);
  if (cell == game.hoverCell) return;
  DrawSurface& surface = windowSurface();
  const CellIndex left = game.hoverCell;
  drawCell(surface, left, false);
  game.hoverCell = cell;
  drawCell(surface, cell, true);
  // Drawn here from the analysis as it stands, which a repaint may not share.
  forgetShownCell(left);
  forgetShownCell(cell);
  // Hovering a cell takes the keys back from the text boxes and checkbox.
  if (cell != kNoCell) focusMainWindow();
}

void onChar(unsigned character) {
  const CellIndex cell = game.hoverCell;
  if (character == 's') {
    onCommand(kCmdShowLegalMoves);
  } else if (character == 'c') {
    onCommand(kCmdShowColors);
  } else if (character == ' ') {
    if (cell == kNoCell) return;
    if (game.givens[cell] != 0 && !game.entryMode) return;
    setCell(cell, 0);
  } else if (character >= '1' && character <= '9') {
    const int digit = int(character - '0');
    // A filled cell has no candidates, so it must be erased before retyping.
    if (cell != kNoCell && (game.candidates[cell] & (1 << (digit - 1)))) {
      setCell(cell, digit);
    } else {
      beep(kBeepDefault);
    }
  } else if (character == '0') {
    beep(kBeepDefault);
  }
}

void onKeyDown(Key key) {
  if (key == kKeyLeft || key == kKeyBack) {
    onCommand(kCmdUndo);
  } else if (key == kKeyRight) {
    onCommand(kCmdRedo);
  }
}

void onLeftButtonDown() {
  const CellIndex cell = game.hoverCell;
  if (cell == kNoCell) return;
  if (game.hiddenSingleDigit[cell] != 0) {
    setCell(cell, game.hiddenSingleDigit[cell]);
    return;
  }
  const int mask = game.candidates[cell];
  if (bitCount(mask) == 1) {
    setCell(cell, std::countr_zero(unsigned(mask)) + 1);
    return;
  }
  // The hint replaces the beep once per process, on the third failure.
  ++game.failedClickCount;
  if (game.failedClickCount == kHintClick) {
    showInformation(kHintText, kAboutCaption);
  } else {
    beep(kBeepSimple);
  }
}

void onRightButtonDown() {
  const CellIndex cell = game.hoverCell;
  if (cell == kNoCell || !game.solutionFound) return;
  if (game.board[cell] != 0) {
    if (game.givens[cell] != 0) return;
    // The player's digit is erased as a move of its own, even when right.
    setCell(cell, 0);
  }
  setCell(cell, game.solution[cell]);
}
