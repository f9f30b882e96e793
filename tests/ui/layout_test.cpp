// Tests of the layout arithmetic and the window's placement.
#include "state/game_state.h"
#include "tests/ui/ui_fixture.h"

namespace {

void expectRect(const Rect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

void expectCell(CellIndex cell, int left, int top) {
  int x = 0;
  int y = 0;
  cellOrigin(cell, &x, &y);
  EXPECT_EQ(x, left) << "cell " << cell;
  EXPECT_EQ(y, top) << "cell " << cell;
}

}  // namespace

using Layout = UiTest;

TEST_F(Layout, WorkedExample) {
  const LayoutMetrics& m = game.layout;
  EXPECT_EQ(m.cellWidth, 50);
  EXPECT_EQ(m.cellHeight, 53);
  expectRect(m.boardRect, 10, 12, 456, 485);
  expectRect(m.buttonRect, 466, 12, 616, 30);
  expectRect(m.movesLabelRect, 466, 40, 616, 53);
  expectRect(m.movesEditRect, 466, 58, 616, 337);
  expectRect(m.positionLabelRect, 466, 347, 616, 360);
  expectRect(m.positionEditRect, 466, 365, 616, 485);
  expectRect(m.statusRect, 5, 500, kToRightEdge, 513);

  expectCell(0, 10, 12);
  expectCell(1, 59, 12);
  expectCell(2, 108, 12);
  expectCell(3, 159, 12);
  expectCell(9, 10, 64);
  expectCell(27, 10, 170);
  expectCell(80, 406, 432);

  // The columns 158 and 307 and the rows 169 and 327 belong to no cell.
  for (CellIndex c = 0; c < kCellCount; ++c) {
    int x = 0;
    int y = 0;
    cellOrigin(c, &x, &y);
    for (int free : {158, 307}) EXPECT_FALSE(x <= free && free < x + m.cellWidth) << c;
    for (int free : {169, 327}) EXPECT_FALSE(y <= free && free < y + m.cellHeight) << c;
  }

  WindowPlacement p{};
  placeWindow(1024, 768, 4, 4, 19, 19, &p);
  EXPECT_EQ(p.clientWidth, 626);
  EXPECT_EQ(p.clientHeight, 518);
}

TEST_F(Layout, PlacementCentresTheClientAreaWithoutClamping) {
  // cw 45, ch 50, g 9: W = 9 * 45 + 176 = 581, H = 9 * 50 + 28 + 9 = 487.
  LayoutMetrics& m = game.layout;
  m.cellWidth = 45;
  m.cellHeight = 50;
  m.lineHeight[kFontGui] = 9;
  computeLayout();

  WindowPlacement p{};
  placeWindow(1024, 768, 4, 4, 19, 19, &p);
  EXPECT_EQ(p.clientWidth, 581);
  EXPECT_EQ(p.clientHeight, 487);
  // Halved separately: 512 - 290 and 384 - 243, not (1024 - 581) / 2.
  EXPECT_EQ(p.x, 222);
  EXPECT_EQ(p.y, 141);
  EXPECT_EQ(p.width, 587);
  EXPECT_EQ(p.height, 531);

  placeWindow(400, 300, 4, 4, 19, 19, &p);
  EXPECT_EQ(p.x, -90);
  EXPECT_EQ(p.y, -93);
}

TEST(MulDiv, RoundsHalvesAwayFromZeroAndFailsAsWindowsDoes) {
  EXPECT_EQ(mulDiv(10, 144, 96), 15);
  EXPECT_EQ(mulDiv(5, 144, 96), 8);
  EXPECT_EQ(mulDiv(15, 144, 96), 23);
  EXPECT_EQ(mulDiv(5, 120, 96), 6);
  EXPECT_EQ(mulDiv(2, 120, 96), 3);
  EXPECT_EQ(mulDiv(-5, 144, 96), -8);
  EXPECT_EQ(mulDiv(5, -144, 96), -8);
  EXPECT_EQ(mulDiv(5, 144, -96), -8);
  EXPECT_EQ(mulDiv(-5, -144, -96), -8);
  EXPECT_EQ(mulDiv(-5, 144, -96), 8);
  EXPECT_EQ(mulDiv(30, 96, 72), 40);
  EXPECT_EQ(mulDiv(8, 96, 72), 11);
  EXPECT_EQ(mulDiv(1 << 30, 1 << 30, 1 << 30), 1 << 30);
  EXPECT_EQ(mulDiv(1 << 30, 4, 1), -1);
  EXPECT_EQ(mulDiv(7, 3, 0), -1);
}

TEST_F(Layout, FixedDistancesScaleWithTheDisplayDpi) {
  // The worked example's fonts on a 144-dpi display: margins 15 and 18,
  // gaps 8 and 15, the column 225 wide, the status line 23 below, cell
  // margins 18 and 9; the board's one-pixel structure stays.
  LayoutMetrics& m = game.layout;
  m.dpi = 144;
  computeCellSize();
  computeLayout();
  EXPECT_EQ(m.cellWidth, 56);
  EXPECT_EQ(m.cellHeight, 56);
  expectRect(m.boardRect, 15, 18, 515, 518);
  expectRect(m.buttonRect, 530, 18, 755, 39);
  expectRect(m.movesLabelRect, 530, 54, 755, 67);
  expectRect(m.movesEditRect, 530, 75, 755, 362);
  expectRect(m.positionLabelRect, 530, 377, 755, 390);
  expectRect(m.positionEditRect, 530, 398, 755, 518);
  expectRect(m.statusRect, 8, 541, kToRightEdge, 554);
  expectCell(0, 15, 18);
  expectCell(1, 70, 18);
  expectCell(3, 182, 18);
  expectCell(80, 459, 462);
  WindowPlacement p{};
  placeWindow(1600, 1200, 4, 4, 19, 19, &p);
  EXPECT_EQ(p.clientWidth, 770);
  EXPECT_EQ(p.clientHeight, 562);

  // Fonts that grow exactly with the dpi give the 96-dpi window scaled as a
  // whole, off only by MulDiv's rounding and the board's four pixels of
  // shared outlines, which do not grow.
  struct Fonts {
    int gui, digit, guiLine, digitLine, positionLine;
  };
  const Fonts at96 = {6, 20, 14, 48, 12};
  const auto layOut = [](const Fonts& f, int dpi, Rect* rects, int* w, int* h) {
    LayoutMetrics& metrics = game.layout;
    metrics.dpi = dpi;
    metrics.digitWidth[kFontGui] = f.gui;
    metrics.digitWidth[kFontDigit] = f.digit;
    metrics.lineHeight[kFontGui] = f.guiLine;
    metrics.lineHeight[kFontDigit] = f.digitLine;
    metrics.lineHeight[kFontPosition] = f.positionLine;
    computeCellSize();
    computeLayout();
    const Rect all[7] = {metrics.boardRect,     metrics.buttonRect,        metrics.movesLabelRect,
                         metrics.movesEditRect, metrics.positionLabelRect, metrics.positionEditRect,
                         metrics.statusRect};
    for (int i = 0; i < 7; ++i) rects[i] = all[i];
    WindowPlacement placement{};
    placeWindow(4000, 3000, 4, 4, 19, 19, &placement);
    *w = placement.clientWidth;
    *h = placement.clientHeight;
  };
  Rect design[7];
  int designW = 0;
  int designH = 0;
  layOut(at96, 96, design, &designW, &designH);
  for (int dpi : {144, 192}) {
    SCOPED_TRACE(dpi);
    const auto grow = [dpi](int v) { return v * dpi / 96; };
    const Fonts scaled = {grow(at96.gui), grow(at96.digit), grow(at96.guiLine),
                          grow(at96.digitLine), grow(at96.positionLine)};
    Rect rects[7];
    int w = 0;
    int h = 0;
    layOut(scaled, dpi, rects, &w, &h);
    const auto near = [dpi](int actual, int designed) {
      const int wanted = designed * dpi / 96;
      return actual - wanted >= -1 && actual - wanted <= 4 * (dpi - 96) / 96 + 1;
    };
    for (int i = 0; i < 7; ++i) {
      EXPECT_PRED2(near, rects[i].left, design[i].left) << i;
      EXPECT_PRED2(near, rects[i].top, design[i].top) << i;
      if (i != 6) {
        EXPECT_PRED2(near, rects[i].right, design[i].right) << i;
      }
      EXPECT_PRED2(near, rects[i].bottom, design[i].bottom) << i;
    }
    EXPECT_EQ(rects[1].right - rects[1].left, grow(150));
    EXPECT_PRED2(near, w, designW);
    EXPECT_PRED2(near, h, designH);
  }
}
