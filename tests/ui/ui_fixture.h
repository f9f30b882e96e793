#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "model/analysis.h"
#include "model/tables.h"
#include "tests/fake/fake_platform.h"
#include "ui/layout.h"

// A solved grid; puzzles in these tests are made by blanking some of it.
inline const char kSolvedGrid[] =
    "123456789456789123789123456231674895875912364694538217317265948542897631968341572";

// Fresh state with the worked-example measurements: cw 50, ch 53.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetGameState();
    resetFake();
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

  // Givens from 81 characters, '.' for an empty cell; board follows.
  static void loadGivens(const char* text) {
    ASSERT_EQ(std::strlen(text), size_t(kCellCount));
    for (int c = 0; c < kCellCount; ++c) game.givens[c] = text[c] == '.' ? 0 : text[c] - '0';
    initTables();
    analysePosition();
  }

  static void loadSolvedGridWithout(std::initializer_list<CellIndex> blanks) {
    char text[kCellCount + 1];
    for (int c = 0; c <= kCellCount; ++c) text[c] = kSolvedGrid[c];
    for (CellIndex c : blanks) text[c] = '.';
    loadGivens(text);
  }
};
