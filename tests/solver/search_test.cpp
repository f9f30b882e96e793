// Tests of the search's node counts, verdicts and solutions.
#include <gtest/gtest.h>

#include <cstring>

#include "model/builtin_puzzles.h"
#include "solver/search.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/solver/solver_support.h"
#include "ui/status_line.h"

namespace {

// The search fills the empty board with the tests' solved grid.
constexpr const char* kEmptyBoardSolution = kSolvedGrid;

// Without the check of full frames this ends after 7 nodes with two 6s in
// its fifth row.
constexpr const char* kConflictingHiddenWrites =
    ".1.64.3.."
    "........."
    "39..1.56."
    "9........"
    ".82......"
    "547..8..2"
    "...9.4.7."
    "..9..52.."
    "..68.....";

void expectSolutionIs(const char* text) {
  int expected[kCellCount];
  readCells(text, expected);
  for (int c = 0; c < kCellCount; ++c) EXPECT_EQ(game.solution[c], expected[c]) << "cell " << c;
}

}  // namespace

TEST(Search, BuiltInPuzzlesNeedTheirNodeCounts) {
  const int nodes[kBuiltInPuzzleCount] = {6, 1, 1, 1, 1, 3};
  const int slots[kBuiltInPuzzleCount] = {4, 0, 0, 0, 0, 2};
  for (int i = 0; i < kBuiltInPuzzleCount; ++i) {
    setUpBoard(kBuiltInPuzzles[i]);
    startSolve();
    EXPECT_EQ(game.nodeCount, nodes[i]) << "puzzle " << i;
    EXPECT_EQ(game.deepestSlot, slots[i]) << "puzzle " << i;
    EXPECT_TRUE(game.solutionFound);
    EXPECT_TRUE(isCompletionOf(game.solution, game.board)) << "puzzle " << i;
    EXPECT_EQ(std::strncmp(game.statusText, "Solution found! (", 17), 0) << game.statusText;
  }
}

TEST(Search, EmptyBoardTakes48Nodes) {
  setUpBoard(kEmptyBoard);
  startSolve();
  EXPECT_EQ(game.nodeCount, 48);
  EXPECT_EQ(game.deepestSlot, 47);
  EXPECT_TRUE(game.solutionFound);
  expectSolutionIs(kEmptyBoardSolution);
}

TEST(Search, FullValidBoardIsItsOwnSolution) {
  setUpBoard(kEmptyBoardSolution);
  startSolve();
  EXPECT_EQ(game.nodeCount, 1);
  EXPECT_TRUE(game.solutionFound);
  expectSolutionIs(kEmptyBoardSolution);
}

TEST(Search, CellWithoutCandidatesEndsAfterOneNode) {
  setUpBoard(
      ".23456789"
      "1........"
      "........."
      "........."
      "........."
      "........."
      "........."
      "........."
      ".........");
  startSolve();
  EXPECT_EQ(game.nodeCount, 1);
  EXPECT_FALSE(game.solutionFound);
  EXPECT_EQ(std::strncmp(game.statusText, "No solution found. Invalid puzzle. (", 36), 0);
}

TEST(Search, BoardRepeatingADigitIsNotSearched) {
  setUpBoard("55...............................................................................");
  startSolve();
  EXPECT_EQ(game.nodeCount, 0);
  EXPECT_EQ(game.deepestSlot, 0);
  EXPECT_FALSE(game.solutionFound);
  EXPECT_TRUE(game.solverIdle);
  EXPECT_EQ(std::strncmp(game.statusText, "No solution found. Invalid puzzle. (", 36), 0);
  EXPECT_NE(std::strstr(game.statusText, " seconds, 0 nodes)"), nullptr) << game.statusText;
}

TEST(Search, ConflictingHiddenWritesNeverReachTheSolution) {
  setUpBoard(kConflictingHiddenWrites);
  startSolve();
  EXPECT_TRUE(game.solutionFound);
  EXPECT_TRUE(isCompletionOf(game.solution, game.board));
}

TEST(Search, RunWithoutSolutionLeavesTheOldGrid) {
  setUpBoard(kEmptyBoard);
  startSolve();
  for (int c = 0; c < kCellCount; ++c) game.board[c] = 0;
  game.board[0] = 1;
  game.board[1] = 2;
  game.board[10] = 3;
  game.board[11] = 4;
  game.board[12] = 5;
  game.board[13] = 6;
  game.board[14] = 7;
  game.board[15] = 8;
  game.board[16] = 9;
  // Cell 9 now sees every digit: no solution.
  startSolve();
  EXPECT_FALSE(game.solutionFound);
  expectSolutionIs(kEmptyBoardSolution);
}

TEST(StatusLine, TextsInTheirOrder) {
  setUpBoard(kEmptyBoard);
  formatStatusLine();
  EXPECT_STREQ(game.statusText, "No solution found. Invalid puzzle. (0.00000 seconds, 0 nodes)");

  game.solveSeconds = 1.234567;
  game.nodeCount = 42;
  game.solutionFound = true;
  formatStatusLine();
  EXPECT_STREQ(game.statusText, "Solution found! (1.23457 seconds, 42 nodes)");

  game.solverIdle = false;
  formatStatusLine();
  EXPECT_STREQ(game.statusText, "Searching for the solution. (1.23457 seconds, 42 nodes)");

  game.entryMode = 1;
  formatStatusLine();
  EXPECT_STREQ(game.statusText, "");
}
