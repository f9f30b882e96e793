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
  expectRect(m.statusRect, 5, 500, 1000000, 513);

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
