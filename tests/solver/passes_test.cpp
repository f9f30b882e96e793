// Tests of the reference propagation passes.
#include <gtest/gtest.h>

#include "solver/passes.h"
#include "solver/propagation.h"
#include "tests/solver/solver_support.h"

namespace {

SolverFrame frame;

void loadFrame(const char* text) {
  setUpBoard(kEmptyBoard);
  frame = SolverFrame{};
  readCells(text, frame.values);
}

void setAllMasks(int mask) {
  for (int& candidates : frame.candidates) candidates = mask;
}

}  // namespace

TEST(NakedPass, EmptyGridFillsNothing) {
  loadFrame(kEmptyBoard);
  EXPECT_FALSE(applyNakedSingles(frame));
  EXPECT_FALSE(frame.contradiction);
  EXPECT_EQ(frame.emptyCount, 81);
  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(frame.candidates[c], kAllCandidates);
  EXPECT_FALSE(applyHiddenSingles(frame));
  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(frame.values[c], 0);
}

TEST(NakedPass, LastEmptyCellIsFilledAndKeepsItsMask) {
  loadFrame(kSolvedGrid);
  frame.values[3] = 0;  // the row now lacks only its 4
  frame.candidates[0] = 0x55;
  EXPECT_TRUE(applyNakedSingles(frame));
  EXPECT_EQ(frame.values[3], 4);
  EXPECT_EQ(frame.candidates[3], 0x008);
  EXPECT_EQ(frame.candidates[0], 0);
  EXPECT_EQ(frame.emptyCount, 1);
  EXPECT_FALSE(applyNakedSingles(frame));
  EXPECT_EQ(frame.emptyCount, 0);
  EXPECT_EQ(frame.candidates[3], 0);
}

TEST(NakedPass, LaterCellsSeeDigitsPlacedEarlierInThePass) {
  loadFrame(kSolvedGrid);
  frame.values[0] = 0;
  frame.values[1] = 0;
  EXPECT_TRUE(applyNakedSingles(frame));
  EXPECT_EQ(frame.values[0], 1);
  EXPECT_EQ(frame.candidates[1], 0x002);
  EXPECT_EQ(frame.values[1], 2);
}

TEST(NakedPass, EarlierCellsWaitForTheNextPass) {
  // Row 0 lacks 3 and 7; column 1 holds a 3, so cell 1 can only take 7,
  // which cell 0 still sees as possible in this pass.
  loadFrame(
      "..1245689"
      "...................3....................................................");
  EXPECT_TRUE(applyNakedSingles(frame));
  EXPECT_EQ(frame.values[1], 7);
  EXPECT_EQ(frame.values[0], 0);
  EXPECT_EQ(frame.candidates[0], 0x044);
  EXPECT_TRUE(applyNakedSingles(frame));
  EXPECT_EQ(frame.values[0], 3);
}

TEST(NakedPass, StopsAtACellWithoutCandidates) {
  loadFrame(
      ".23456789"
      "1........"
      "........."
      "........."
      "........."
      "........."
      "........."
      "........."
      ".........");
  frame.candidates[80] = 0x1234;
  EXPECT_FALSE(applyNakedSingles(frame));
  EXPECT_TRUE(frame.contradiction);
  EXPECT_EQ(frame.candidates[0], 0);
  EXPECT_EQ(frame.emptyCount, 1);
  EXPECT_EQ(frame.candidates[80], 0x1234);
}

TEST(NakedPass, AContradictionHidesEarlierFills) {
  // Cell 0 is forced to 1; cell 10 then has nothing left.
  loadFrame(
      ".23456789"
      "4.5678923"
      "........."
      "........."
      "........."
      "........."
      "........."
      "........."
      ".........");
  EXPECT_FALSE(applyNakedSingles(frame));
  EXPECT_TRUE(frame.contradiction);
  EXPECT_EQ(frame.values[0], 1);
}

TEST(HiddenPass, OnlyPlaceInAUnitWinsOverOtherCandidates) {
  loadFrame(kEmptyBoard);
  setAllMasks(kAllCandidates & ~(1 << 6));
  frame.candidates[40] = 0x0C1 | (1 << 6);
  EXPECT_TRUE(applyHiddenSingles(frame));
  EXPECT_FALSE(frame.contradiction);
  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(frame.values[c], c == 40 ? 7 : 0) << c;
  // The pass reads masks only and never changes them.
  EXPECT_EQ(frame.candidates[40], 0x0C1 | (1 << 6));
}

TEST(HiddenPass, AllDigitsEverywhereWritesNothing) {
  loadFrame(kEmptyBoard);
  setAllMasks(kAllCandidates);
  EXPECT_FALSE(applyHiddenSingles(frame));
  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(frame.values[c], 0);
}

TEST(HiddenPass, OneCellAsTheOnlyPlaceForTwoDigitsIsADeadEnd) {
  loadFrame(kEmptyBoard);
  setAllMasks(0x1FC);
  frame.candidates[0] = 0x003;
  EXPECT_FALSE(applyHiddenSingles(frame));
  EXPECT_TRUE(frame.contradiction);
}

TEST(HiddenPass, OneDigitInTwoCellsOfABoxIsADeadEnd) {
  // Rows 0 and 1 each have a single place for 1, both inside box 0.
  loadFrame(kEmptyBoard);
  setAllMasks(kAllCandidates);
  for (int c = 1; c < 18; ++c)
    if (c != 9 + 1) frame.candidates[c] = 0x1FE;
  EXPECT_FALSE(applyHiddenSingles(frame));
  EXPECT_TRUE(frame.contradiction);
  EXPECT_EQ(frame.values[0], 1);
}

TEST(HiddenPass, TheSameDeductionFromSeveralUnitsIsNoConflict) {
  loadFrame(kEmptyBoard);
  setAllMasks(kAllCandidates & ~1);
  frame.candidates[0] = kAllCandidates;
  EXPECT_TRUE(applyHiddenSingles(frame));
  EXPECT_FALSE(frame.contradiction);
  EXPECT_EQ(frame.values[0], 1);
}

// The search's frames carry no grid from parent to child: a full frame reads
// its grid off its digits' sets, and a grid that repeats a digit has none.
TEST(Propagation, FullFrameGivesBackItsGrid) {
  int solved[kCellCount];
  readCells(kSolvedGrid, solved);
  loadFrame(kSolvedGrid);
  frame.values[40] = 0;
  frame.values[80] = 0;
  EXPECT_TRUE(prepareFrame(frame));
  SolverFrame child{};
  // A digit the cell does not allow leaves the child a dead end.
  EXPECT_FALSE(branchFrame(child, frame, 40, solved[40] % 9 + 1));
  ASSERT_TRUE(branchFrame(child, frame, 40, solved[40]));
  ASSERT_TRUE(propagateFrame(child));
  EXPECT_EQ(child.emptyCount, 0);
  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(child.values[c], solved[c]) << "cell " << c;

  // The same grid with cells 0 and 1 swapped has every digit once per row
  // and box, but twice in two columns.
  loadFrame(kSolvedGrid);
  frame.values[0] = solved[1];
  frame.values[1] = solved[0];
  EXPECT_FALSE(prepareFrame(frame));
  EXPECT_FALSE(propagateFrame(frame));
}
