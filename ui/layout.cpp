#include "ui/layout.h"

void computeCellSize() {
  LayoutMetrics& m = game.layout;
  // Room for three candidate digits and one big digit side by side, and one
  // line of the big digit, with margins around them.
  m.cellWidth = m.digitWidth[kFontDigit] + 3 * m.digitWidth[kFontGui] + 12;
  m.cellHeight = m.lineHeight[kFontDigit] + 6;
}

void computeLayout() {
  LayoutMetrics& m = game.layout;
  const int cw = m.cellWidth;
  const int ch = m.cellHeight;
  const int g = m.lineHeight[kFontGui];
  const int p = m.lineHeight[kFontPosition];
  // The right-hand column starts 10 pixels right of the board and is 150
  // wide; the position box is ten lines high and ends level with the board.
  const int columnLeft = 9 * cw + 16;
  const int columnRight = 9 * cw + 166;

  m.boardRect = {10, 12, 9 * cw + 6, 9 * ch + 8};
  m.buttonRect = {columnLeft, 12, columnRight, g + 17};
  m.movesLabelRect = {columnLeft, g + 27, columnRight, 2 * g + 27};
  m.movesEditRect = {columnLeft, 2 * g + 32, columnRight, 9 * ch - 7 - 10 * p - g};
  m.positionLabelRect = {columnLeft, 9 * ch + 3 - 10 * p - g, columnRight, 9 * ch + 3 - 10 * p};
  m.positionEditRect = {columnLeft, 9 * ch + 8 - 10 * p, columnRight, 9 * ch + 8};
  m.statusRect = {5, 9 * ch + 23, 1000000, 9 * ch + 23 + g};
}

void cellOrigin(CellIndex cell, int* x, int* y) {
  const LayoutMetrics& m = game.layout;
  const int row = cell / 9;
  const int column = cell % 9;
  // Neighbours in a box share an outline; between boxes one pixel stays free
  // for the separator.
  *x = m.boardRect.left + column * (m.cellWidth - 1) + 2 * (column / 3);
  *y = m.boardRect.top + row * (m.cellHeight - 1) + 2 * (row / 3);
}

void placeWindow(int screenWidth, int screenHeight, int frameWidth, int frameHeight,
                 int captionHeight, int menuHeight, WindowPlacement* placement) {
  const LayoutMetrics& m = game.layout;
  const int w = m.movesEditRect.right + 10;
  const int h = m.statusRect.bottom + 5;
  placement->clientWidth = w;
  placement->clientHeight = h;
  // Each halving truncates on its own, and nothing is clamped to the screen.
  placement->x = screenWidth / 2 - w / 2;
  placement->y = screenHeight / 2 - h / 2;
  placement->width = w + 2 * frameWidth - 2;
  placement->height = h + 2 * frameHeight + captionHeight + menuHeight - 2;
}
