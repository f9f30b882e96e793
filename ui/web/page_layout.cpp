// The page's layout: the fonts measured on the canvas at a dpi, and the
// rectangles, cells and controls placed from them.
#include "ui/web/page_layout.h"

#include "state/game_state.h"
#include "state/platform.h"
#include "ui/layout.h"
#include "ui/paint.h"
#include "ui/web/page_imports.h"

namespace {

void measureFonts() {
  LayoutMetrics& m = game.layout;
  for (int font = 0; font < kFontCount; ++font) {
    // A font of so many points is that many 72nds of an inch high.
    const int height = mulDiv(kFontPoints[font], m.dpi, 72);
    pageMeasureFont(font, height, &m.lineHeight[font], &m.digitWidth[font]);
  }
}

void placeControl(PageControl control, const Rect& rect) {
  pagePlaceControl(control, rect.left, rect.top, rect.right, rect.bottom);
}

void placeCells() {
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    int x = 0;
    int y = 0;
    cellOrigin(cell, &x, &y);
    pagePlaceCell(cell, x, y, x + game.layout.cellWidth, y + game.layout.cellHeight);
  }
}

}  // namespace

void layOutPage(int dpi) {
  game.layout.dpi = dpi;
  measureFonts();
  computeCellSize();
  computeLayout();
  WindowPlacement placement = {};
  placeWindow(0, 0, 0, 0, 0, 0, &placement);
  // The board and the status line alone: the board and its margins.
  const int boardWidth = game.layout.boardRect.right + scaleToDpi(10);
  pageSizeClient(placement.clientWidth, placement.clientHeight, boardWidth, dpi);
  placeControl(kControlEntry, game.layout.buttonRect);
  placeControl(kControlMoves, game.layout.movesEditRect);
  placeControl(kControlPosition, game.layout.positionEditRect);
  placeCells();
  // A resized canvas starts blank, as a window's newly exposed area does.
  forgetShownCells(0, 0, kToRightEdge, kToRightEdge);
  repaintWindow();
}
