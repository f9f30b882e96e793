// Tests of painting on the recording surface.
#include <cstring>

#include "model/colours.h"
#include "state/game_state.h"
#include "tests/ui/ui_fixture.h"
#include "ui/layout.h"
#include "ui/paint.h"

namespace {

RecordingSurface& surface() {
  return fake.surface;
}

int countOps(DrawOp op) {
  int n = 0;
  for (int i = 0; i < surface().count; ++i)
    if (surface().calls[i].op == op) ++n;
  return n;
}

// Index of the first call at or after from with this op and text, or -1.
int firstRectangle() {
  for (int i = 0; i < surface().count; ++i)
    if (surface().calls[i].op == DrawOp::kRectangle) return i;
  return 0;
}

int findText(const char* text, int from = 0) {
  for (int i = from; i < surface().count; ++i)
    if (surface().calls[i].op == DrawOp::kTextOut &&
        std::strcmp(surface().calls[i].text, text) == 0)
      return i;
  return -1;
}

// The colour last set for op before call index i.
int colourBefore(DrawOp op, int i) {
  for (int j = i - 1; j >= 0; --j)
    if (surface().calls[j].op == op) return surface().calls[j].a;
  return -1;
}

// Index of the line drawn from (x0, y0) to (x1, y1), or -1.
int findLine(int x0, int y0, int x1, int y1) {
  for (int i = 0; i + 1 < surface().count; ++i) {
    const DrawCall& a = surface().calls[i];
    const DrawCall& b = surface().calls[i + 1];
    if (a.op == DrawOp::kMoveTo && b.op == DrawOp::kLineTo && a.a == x0 && a.b == y0 && b.a == x1 &&
        b.b == y1)
      return i;
  }
  return -1;
}

}  // namespace

using Paint = UiTest;

TEST(Darken, SubtractsPerChannelAndClearsTheTopByte) {
  EXPECT_EQ(darkenColour(0xFFFFFF), 0xDFDFDFu);
  EXPECT_EQ(darkenColour(kColourHiddenSingle), 0xA0DFA0u);
  EXPECT_EQ(darkenColour(kColourNakedSingle), 0x60DF60u);
  EXPECT_EQ(darkenColour(kColourGiven), 0xA0A0A0u);
  EXPECT_EQ(darkenColour(kColourError), 0x2020DFu);
  EXPECT_EQ(darkenColour(0xFF10201Fu), 0x000000u);
}

TEST_F(Paint, CellFillCandidatesAndDigit) {
  game.candidates[12] = (1 << 1) | (1 << 4) | (1 << 6) | (1 << 8);
  game.cellColour[12] = kColourHiddenSingle;
  drawCell(surface(), 12, false);
  // Cell 12: row 1, column 3 -> (159, 64).
  const int rect = 3;
  ASSERT_EQ(surface().calls[rect].op, DrawOp::kRectangle);
  EXPECT_EQ(surface().calls[rect].a, 159);
  EXPECT_EQ(surface().calls[rect].b, 64);
  EXPECT_EQ(surface().calls[rect].c, 209);
  EXPECT_EQ(surface().calls[rect].d, 117);
  EXPECT_EQ(colourBefore(DrawOp::kPenColour, rect), 0);
  EXPECT_EQ(Colour(colourBefore(DrawOp::kBrushColour, rect)), kColourHiddenSingle);
  const int first = findText("257");
  const int second = findText("9");
  ASSERT_GT(first, rect);
  ASSERT_GT(second, first);
  EXPECT_EQ(surface().calls[first].a, 161);
  EXPECT_EQ(surface().calls[first].b, 66);
  EXPECT_EQ(surface().calls[second].a, 161);
  EXPECT_EQ(surface().calls[second].b, 79);
  EXPECT_EQ(Colour(colourBefore(DrawOp::kTextColour, first)), kColourCandidate);
  EXPECT_EQ(countOps(DrawOp::kTextOut), 2);

  surface().clear();
  game.board[12] = 7;
  game.candidates[12] = 0;
  drawCell(surface(), 12, true);
  EXPECT_EQ(Colour(colourBefore(DrawOp::kBrushColour, 3)), darkenColour(kColourHiddenSingle));
  const int digit = findText("7");
  ASSERT_GE(digit, 0);
  EXPECT_EQ(surface().calls[digit].a, 159 + 3 * 6 + 6);
  EXPECT_EQ(surface().calls[digit].b, 66);
  EXPECT_EQ(colourBefore(DrawOp::kTextColour, digit), 0);
  EXPECT_EQ(colourBefore(DrawOp::kSelectFont, digit), kFontDigit);
  EXPECT_EQ(countOps(DrawOp::kTextOut), 1);

  // At 144 dpi the insets grow by half (2 -> 3, 6 -> 9): cell 12 at (182, 73).
  game.layout.dpi = 144;
  computeCellSize();
  computeLayout();
  game.candidates[12] = 1;
  game.board[12] = 7;
  surface().clear();
  drawCell(surface(), 12, false);
  EXPECT_EQ(surface().calls[findText("1")].a, 185);
  EXPECT_EQ(surface().calls[findText("1")].b, 76);
  EXPECT_EQ(surface().calls[findText("7")].a, 182 + 3 * 6 + 9);
  EXPECT_EQ(surface().calls[findText("7")].b, 76);
}

TEST_F(Paint, FullMasksAndNoCell) {
  game.candidates[0] = kAllCandidates;
  drawCell(surface(), 0, false);
  EXPECT_EQ(surface().calls[findText("123")].b, 14);
  EXPECT_EQ(surface().calls[findText("456")].b, 27);
  EXPECT_EQ(surface().calls[findText("789")].b, 40);

  surface().clear();
  drawCell(surface(), kNoCell, true);
  EXPECT_EQ(surface().count, 0);
}

TEST_F(Paint, DisplayOptionsAndEntryMode) {
  game.candidates[0] = 0x0F;
  game.board[1] = 4;
  game.cellColour[0] = game.cellColour[1] = kColourGiven;

  game.showColors = 0;
  drawCell(surface(), 0, true);
  EXPECT_EQ(Colour(colourBefore(DrawOp::kBrushColour, 3)), 0xDFDFDFu);
  EXPECT_GE(findText("123"), 0);
  EXPECT_GE(findText("4"), 0);

  for (int entry = 0; entry <= 1; ++entry) {
    game.showLegalMoves = entry;
    game.entryMode = entry;
    surface().clear();
    drawCell(surface(), 0, false);
    drawCell(surface(), 1, false);
    // Only the digit of cell 1; never a candidate.
    ASSERT_EQ(countOps(DrawOp::kTextOut), 1);
    EXPECT_EQ(colourBefore(DrawOp::kSelectFont, findText("4")), kFontDigit);
  }
}

TEST_F(Paint, PaintAllOrder) {
  loadSolvedGridWithout({0, 40});
  game.hoverCell = 40;
  // Stale analysis that paintAll must bring up to date before drawing.
  game.candidates[0] = kAllCandidates;
  paintAll(surface());

  int cells[kCellCount];
  int n = 0;
  for (int i = 0; i < surface().count && n < kCellCount; ++i)
    if (surface().calls[i].op == DrawOp::kRectangle) cells[n++] = i;
  ASSERT_EQ(n, kCellCount);
  EXPECT_EQ(surface().calls[cells[80]].a, 406);
  EXPECT_EQ(Colour(colourBefore(DrawOp::kBrushColour, cells[0])), kColourNakedSingle);
  EXPECT_EQ(Colour(colourBefore(DrawOp::kBrushColour, cells[40])),
            darkenColour(kColourNakedSingle));
  EXPECT_EQ(findText("123"), -1);

  const int moves = findText("Moves:", cells[80]);
  const int position = findText("Position:", moves);
  ASSERT_GT(moves, cells[80]);
  ASSERT_GT(position, moves);
  EXPECT_EQ(surface().calls[moves].a, 466);
  EXPECT_EQ(surface().calls[moves].b, 40);
  EXPECT_EQ(surface().calls[position].a, 466);
  EXPECT_EQ(surface().calls[position].b, 347);

  const int separators[] = {findLine(158, 12, 158, 485), findLine(307, 12, 307, 485),
                            findLine(10, 169, 456, 169), findLine(10, 327, 456, 327)};
  int previous = position;
  for (int s : separators) {
    ASSERT_GT(s, previous);
    EXPECT_EQ(colourBefore(DrawOp::kPenColour, s), 0);
    previous = s;
  }

  const int rules[][2] = {{0, 0x808080}, {1, 0xFFFFFF}, {495, 0x808080}, {496, 0xFFFFFF}};
  for (const auto& rule : rules) {
    const int line = findLine(0, rule[0], kToRightEdge, rule[0]);
    ASSERT_GT(line, previous);
    EXPECT_EQ(colourBefore(DrawOp::kPenColour, line), rule[1]);
    previous = line;
  }

  const int clear = surface().count - 4;
  ASSERT_EQ(surface().calls[clear].op, DrawOp::kRectangle);
  EXPECT_GT(clear, previous);
  EXPECT_EQ(surface().calls[clear].a, 5);
  EXPECT_EQ(surface().calls[clear].b, 500);
  EXPECT_EQ(surface().calls[clear].c, kToRightEdge);
  EXPECT_EQ(surface().calls[clear].d, 513);
  EXPECT_EQ(Colour(colourBefore(DrawOp::kPenColour, clear)), RecordingSurface::kFace);
  EXPECT_EQ(Colour(colourBefore(DrawOp::kBrushColour, clear)), RecordingSurface::kFace);
  const DrawCall& status = surface().calls[surface().count - 1];
  EXPECT_EQ(status.op, DrawOp::kTextOut);
  EXPECT_EQ(status.a, 5);
  EXPECT_EQ(status.b, 500);
  EXPECT_STREQ(status.text, "No solution found. Invalid puzzle. (0.00000 seconds, 0 nodes)");
  EXPECT_EQ(colourBefore(DrawOp::kTextColour, surface().count - 1), 0);
  EXPECT_EQ(colourBefore(DrawOp::kSelectFont, surface().count - 1), kFontGui);
}

TEST_F(Paint, WindowRepaintRedrawsOnlyCellsThatLookDifferent) {
  loadSolvedGridWithout({0, 40});
  game.hoverCell = kNoCell;
  forgetShownCells(0, 0, 10000, 10000);
  surface().clear();
  repaintWindow();
  // Every cell, then the status line's clearing.
  EXPECT_EQ(countOps(DrawOp::kRectangle), kCellCount + 1);

  surface().clear();
  repaintWindow();
  EXPECT_EQ(countOps(DrawOp::kRectangle), 1);

  int x = 0;
  int y = 0;
  cellOrigin(40, &x, &y);
  game.hoverCell = 40;
  surface().clear();
  repaintWindow();
  EXPECT_EQ(countOps(DrawOp::kRectangle), 2);
  EXPECT_EQ(surface().calls[firstRectangle()].a, x);

  // Drawn over from elsewhere: drawn again whatever it looked like.
  cellOrigin(0, &x, &y);
  forgetShownCells(x + 1, y + 1, x + 2, y + 2);
  surface().clear();
  repaintWindow();
  EXPECT_EQ(countOps(DrawOp::kRectangle), 2);
  EXPECT_EQ(surface().calls[firstRectangle()].a, x);
  forgetShownCell(40);
  surface().clear();
  repaintWindow();
  EXPECT_EQ(countOps(DrawOp::kRectangle), 2);
}
