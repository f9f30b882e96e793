// The start of every main-window test: the worked example's measurements.
#pragma once

#include "model/analysis.h"
#include "model/tables.h"
#include "tests/support/game_fixture.h"
#include "ui/layout.h"

// Fresh state with the worked-example measurements: cw 50, ch 53.
class UiTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    LayoutMetrics& m = game.layout;
    m.digitWidth[kFontGui] = 6;
    m.digitWidth[kFontDigit] = 20;
    m.digitWidth[kFontPosition] = 7;
    m.lineHeight[kFontGui] = 13;
    m.lineHeight[kFontDigit] = 47;
    m.lineHeight[kFontPosition] = 12;
    computeCellSize();
    computeLayout();
  }

  static void loadSolvedGridWithout(std::initializer_list<CellIndex> blanks) {
    loadPuzzle(solvedGridWithout(blanks).c_str());
  }
};
