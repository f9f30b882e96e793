// Painting the board, its candidates and colours, the rules and the status line.
#include "ui/paint.h"

#include <cstring>

#include "model/analysis.h"
#include "state/game_state.h"
#include "state/platform.h"
#include "ui/layout.h"
#include "ui/status_line.h"

namespace {

void drawLine(DrawSurface& surface, Colour colour, int x0, int y0, int x1, int y1) {
  surface.setPenColour(colour);
  surface.moveTo(x0, y0);
  surface.lineTo(x1, y1);
}

}  // namespace

Colour darkenColour(Colour colour) {
  Colour result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int channel = int((colour >> shift) & 0xFF) - 32;
    result |= Colour(channel < 0 ? 0 : channel) << shift;
  }
  return result;
}

void drawCandidates(DrawSurface& surface, CandidateMask mask, int x, int y) {
  surface.setTextColour(kColourCandidate);
  surface.selectFont(kFontGui);
  // Candidates are packed three to a line, not placed by digit.
  char line[3];
  int length = 0;
  for (int digit = 1; digit <= 9; ++digit) {
    if (mask & (1 << (digit - 1))) line[length++] = char('0' + digit);
    if (length == 3) {
      surface.textOut(x, y, line, length);
      length = 0;
      y += game.layout.lineHeight[kFontGui];
    }
  }
  if (length > 0) surface.textOut(x, y, line, length);
}

namespace {

// What drawCell puts in a cell; two cells drawn with the same look show
// the same pixels.
struct CellLook {
  Colour fill;
  // Whether the candidates are drawn at all; a filled cell has none either way.
  bool listed;
  CandidateMask candidates;
  int digit;
  bool known;
};

CellLook lookOf(CellIndex cell, bool highlighted) {
  const Colour fill = game.showColors ? game.cellColour[cell] : kColourWhite;
  const bool listed = game.showLegalMoves && !game.entryMode;
  return {highlighted ? darkenColour(fill) : fill, listed, listed ? game.candidates[cell] : 0,
          game.board[cell], true};
}

bool sameLook(const CellLook& a, const CellLook& b) {
  return a.known && b.known && a.fill == b.fill && a.candidates == b.candidates &&
         a.digit == b.digit;
}

void drawLook(DrawSurface& surface, CellIndex cell, const CellLook& look) {
  surface.usePenAndBrush();
  int x0 = 0;
  int y0 = 0;
  cellOrigin(cell, &x0, &y0);
  surface.setPenColour(kColourBlack);
  surface.setBrushColour(look.fill);
  surface.rectangle(x0, y0, x0 + game.layout.cellWidth, y0 + game.layout.cellHeight);
  if (look.listed) drawCandidates(surface, look.candidates, x0 + scaleToDpi(2), y0 + scaleToDpi(2));
  if (look.digit != 0) {
    // The digit stands four pixels (at 96 dpi) right of the three-digit
    // candidate column.
    const char digit = char('0' + look.digit);
    surface.setTextColour(kColourBlack);
    surface.selectFont(kFontDigit);
    surface.textOut(x0 + 3 * game.layout.digitWidth[kFontGui] + scaleToDpi(6), y0 + scaleToDpi(2),
                    &digit, 1);
  }
}

}  // namespace

void drawCell(DrawSurface& surface, CellIndex cell, bool highlighted) {
  if (cell == kNoCell) return;
  drawLook(surface, cell, lookOf(cell, highlighted));
}

namespace {

// The separators fill the free pixel columns and rows between the boxes, so
// box borders show three pixels thick.
void drawBoxSeparators(DrawSurface& surface) {
  const LayoutMetrics& m = game.layout;
  const int left = m.boardRect.left;
  const int top = m.boardRect.top;
  const int cw = m.cellWidth;
  const int ch = m.cellHeight;
  surface.setPenColour(kColourBlack);
  surface.moveTo(left + 3 * cw - 2, top);
  surface.lineTo(left + 3 * cw - 2, top + 9 * ch - 4);
  surface.moveTo(left + 6 * cw - 3, top);
  surface.lineTo(left + 6 * cw - 3, top + 9 * ch - 4);
  surface.moveTo(left, top + 3 * ch - 2);
  surface.lineTo(left + 9 * cw - 4, top + 3 * ch - 2);
  surface.moveTo(left, top + 6 * ch - 3);
  surface.lineTo(left + 9 * cw - 4, top + 6 * ch - 3);
}

// Etched rules under the menu bar and between the board and status line.
void drawRules(DrawSurface& surface) {
  const int lowerRule = game.layout.boardRect.bottom + scaleToDpi(10);
  drawLine(surface, kColourEtchDark, 0, 0, kToRightEdge, 0);
  drawLine(surface, kColourEtchLight, 0, 1, kToRightEdge, 1);
  drawLine(surface, kColourEtchDark, 0, lowerRule, kToRightEdge, lowerRule);
  drawLine(surface, kColourEtchLight, 0, lowerRule + 1, kToRightEdge, lowerRule + 1);
}

void drawStatusLine(DrawSurface& surface) {
  const Rect& status = game.layout.statusRect;
  formatStatusLine();
  // Cleared first, so a shorter text leaves nothing of a longer one behind.
  const Colour face = surface.faceColour();
  surface.setPenColour(face);
  surface.setBrushColour(face);
  surface.rectangle(status.left, status.top, status.right, status.bottom);
  surface.setTextColour(kColourBlack);
  surface.selectFont(kFontGui);
  surface.textOut(status.left, status.top, game.statusText, int(std::strlen(game.statusText)));
}

// Everything of the client area's drawing but the cells.
void paintAroundCells(DrawSurface& surface) {
  const LayoutMetrics& m = game.layout;
  surface.selectFont(kFontGui);
  surface.setTextColour(kColourBlack);
  surface.textOut(m.movesLabelRect.left, m.movesLabelRect.top, "Moves:", 6);
  surface.setTextColour(kColourBlack);
  surface.textOut(m.positionLabelRect.left, m.positionLabelRect.top, "Position:", 9);

  drawBoxSeparators(surface);
  drawRules(surface);
  drawStatusLine(surface);
}

// What the window shows of each cell as last drawn on its held surface;
// not known where a paint from elsewhere may have drawn over it since.
CellLook shownLooks[kCellCount];

}  // namespace

void paintAll(DrawSurface& surface) {
  computeCandidates();
  computeCellColours();
  for (CellIndex cell = 0; cell < kCellCount; ++cell)
    drawCell(surface, cell, cell == game.hoverCell);
  paintAroundCells(surface);
}

void repaintWindow() {
  computeCandidates();
  computeCellColours();
  DrawSurface& surface = windowSurface();
  // Under Wine every line of text costs more than the rest of a cell, so
  // only the cells that would be drawn differently are drawn again.
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    const bool highlighted = cell == game.hoverCell;
    const CellLook look = lookOf(cell, highlighted);
    if (sameLook(look, shownLooks[cell])) continue;
    drawLook(surface, cell, look);
    shownLooks[cell] = look;
  }
  paintAroundCells(surface);
}

void forgetShownCell(CellIndex cell) {
  if (cell != kNoCell) shownLooks[cell].known = false;
}

void forgetShownCells(int left, int top, int right, int bottom) {
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    int x0 = 0;
    int y0 = 0;
    cellOrigin(cell, &x0, &y0);
    if (x0 < right && left < x0 + game.layout.cellWidth && y0 < bottom &&
        top < y0 + game.layout.cellHeight)
      shownLooks[cell].known = false;
  }
}
