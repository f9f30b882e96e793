// Where everything in the window goes, from the measured fonts and the display's dpi.
#include "ui/layout.h"

#include <cstdint>

#include "model/tables.h"
#include "state/game_state.h"

int mulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = std::int64_t(number) * numerator;
  std::int64_t divisor = denominator;
  const bool negative = (product < 0) != (divisor < 0);
  if (product < 0) product = -product;
  if (divisor < 0) divisor = -divisor;
  const std::int64_t quotient = (product + divisor / 2) / divisor;
  if (quotient > INT32_MAX) return -1;
  return int(negative ? -quotient : quotient);
}

int scaleToDpi(int pixels) {
  return mulDiv(pixels, game.layout.dpi, 96);
}

void computeCellSize() {
  LayoutMetrics& m = game.layout;
  // Room for three candidate digits and one big digit side by side, and one
  // line of the big digit, with margins around them.
  m.cellWidth = m.digitWidth[kFontDigit] + 3 * m.digitWidth[kFontGui] + scaleToDpi(12);
  m.cellHeight = m.lineHeight[kFontDigit] + scaleToDpi(6);
}

void computeLayout() {
  LayoutMetrics& m = game.layout;
  const int cw = m.cellWidth;
  const int ch = m.cellHeight;
  const int g = m.lineHeight[kFontGui];
  const int p = m.lineHeight[kFontPosition];
  // The distances between the parts are those of the 96-dpi design scaled;
  // the board's -4 is its one-pixel structure (shared outlines, box gaps)
  // and stays as it is.
  const int boardLeft = scaleToDpi(10);
  const int boardTop = scaleToDpi(12);
  const int boardRight = boardLeft + 9 * cw - 4;
  const int boardBottom = boardTop + 9 * ch - 4;
  // The right-hand column starts 10 right of the board and is 150 wide; the
  // position box is ten lines high and ends level with the board.
  const int columnLeft = boardRight + scaleToDpi(10);
  const int columnRight = columnLeft + scaleToDpi(150);
  const int buttonBottom = boardTop + g + scaleToDpi(5);
  const int movesLabelTop = buttonBottom + scaleToDpi(10);
  const int movesEditTop = movesLabelTop + g + scaleToDpi(5);
  const int positionEditTop = boardBottom - 10 * p;
  const int positionLabelBottom = positionEditTop - scaleToDpi(5);
  const int movesEditBottom = positionLabelBottom - g - scaleToDpi(10);
  const int statusTop = boardBottom + scaleToDpi(15);

  m.boardRect = {boardLeft, boardTop, boardRight, boardBottom};
  m.buttonRect = {columnLeft, boardTop, columnRight, buttonBottom};
  m.movesLabelRect = {columnLeft, movesLabelTop, columnRight, movesLabelTop + g};
  m.movesEditRect = {columnLeft, movesEditTop, columnRight, movesEditBottom};
  m.positionLabelRect = {columnLeft, positionLabelBottom - g, columnRight, positionLabelBottom};
  m.positionEditRect = {columnLeft, positionEditTop, columnRight, boardBottom};
  m.statusRect = {scaleToDpi(5), statusTop, kToRightEdge, statusTop + g};
}

void cellOrigin(CellIndex cell, int* x, int* y) {
  const LayoutMetrics& m = game.layout;
  const int row = rowOf(cell);
  const int column = columnOf(cell);
  // Neighbours in a box share an outline; between boxes one pixel stays free
  // for the separator.
  *x = m.boardRect.left + column * (m.cellWidth - 1) + 2 * (column / 3);
  *y = m.boardRect.top + row * (m.cellHeight - 1) + 2 * (row / 3);
}

void placeWindow(int screenWidth, int screenHeight, int frameWidth, int frameHeight,
                 int captionHeight, int menuHeight, WindowPlacement* placement) {
  const LayoutMetrics& m = game.layout;
  const int w = m.movesEditRect.right + scaleToDpi(10);
  const int h = m.statusRect.bottom + scaleToDpi(5);
  placement->clientWidth = w;
  placement->clientHeight = h;
  // Each halving truncates on its own, and nothing is clamped to the screen.
  placement->x = screenWidth / 2 - w / 2;
  placement->y = screenHeight / 2 - h / 2;
  placement->width = w + 2 * frameWidth - 2;
  placement->height = h + 2 * frameHeight + captionHeight + menuHeight - 2;
}
