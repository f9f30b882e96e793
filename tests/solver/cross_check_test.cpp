// The fast search against the passes run literally and a brute-force counter.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "model/builtin_puzzles.h"
#include "solver/solution_count.h"
#include "tests/solver/solver_support.h"

namespace {

SearchResult fast;
SearchResult reference;

// The program's search agrees node for node with the passes run step by
// step, and its verdict and its solution count with an exhaustive count.
void checkBoard(const int board[kCellCount], int completions, const std::string& label) {
  programSolve(board, fast);
  // The count searches on past the first solution, but the run's results
  // stay as the run left them.
  const int solutions = countSolutions(game);
  EXPECT_EQ(game.nodeCount, fast.nodes) << label;
  EXPECT_EQ(game.solutionFound, fast.found) << label;
  if (fast.found) {
    for (int c = 0; c < kCellCount; ++c) ASSERT_EQ(game.solution[c], fast.grid[c]) << label;
  }
  EXPECT_EQ(solutions > 0, fast.found) << label;
  if (completions >= 0) {
    EXPECT_EQ(solutions, completions) << label;
  }
  referenceSolve(board, reference);
  EXPECT_EQ(fast.nodes, reference.nodes) << label;
  EXPECT_EQ(fast.deepestSlot, reference.deepestSlot) << label;
  EXPECT_EQ(fast.found, reference.found) << label;
  if (fast.found && reference.found) {
    for (int c = 0; c < kCellCount; ++c) ASSERT_EQ(fast.grid[c], reference.grid[c]) << label;
  }
  if (completions < 0) return;
  if (repeatsInUnit(board)) {
    EXPECT_EQ(fast.nodes, 0) << label;
    EXPECT_FALSE(fast.found) << label;
  } else if (completions == 0) {
    EXPECT_FALSE(fast.found) << label;
  } else {
    EXPECT_TRUE(fast.found) << label;
    EXPECT_TRUE(isCompletionOf(fast.grid, board)) << label;
  }
}

}  // namespace

TEST(CrossCheck, GeneratedPositions) {
  setUpBoard(kEmptyBoard);
  std::mt19937 random(20261208);
  int found = 0;
  int none = 0;
  int invalid = 0;
  int several = 0;
  for (int round = 0; round < 400; ++round) {
    int board[kCellCount];
    makeRandomBoard(board, round % 4, random);
    const int completions = countCompletions(board, 2);
    if (repeatsInUnit(board))
      ++invalid;
    else if (completions == 0)
      ++none;
    else if (completions == 2)
      ++several;
    else
      ++found;
    checkBoard(board, completions, "round " + std::to_string(round));
  }
  EXPECT_GT(found, 20);
  EXPECT_GT(none, 20);
  EXPECT_GT(invalid, 20);
  EXPECT_GT(several, 20);
}

TEST(CrossCheck, BuiltInPuzzlesAndTheEmptyBoard) {
  setUpBoard(kEmptyBoard);
  int board[kCellCount];
  for (int i = 0; i < kBuiltInPuzzleCount; ++i) {
    readCells(kBuiltInPuzzles[i], board);
    checkBoard(board, 1, kBuiltInPuzzles[i]);
  }
  readCells(kEmptyBoard, board);
  checkBoard(board, -1, "empty board");
  EXPECT_EQ(countSolutions(game), 2);
}

// Every 41st line of each puzzle list of the repository's data folder, with
// the number of solutions (up to two) every puzzle of the list has.
TEST(CrossCheck, SampleOfThePuzzleLists) {
  setUpBoard(kEmptyBoard);
  struct PuzzleList {
    const char* name;
    int solutions;
  };
  const PuzzleList lists[] = {{"17clue.txt", 1},
                              {"top1465.txt", 1},
                              {"forum_hardest_1106.txt", 1},
                              {"forum_hardest_1905_11plus_sample.txt", 1},
                              {"serg_benchmark_multi.txt", 2},
                              {"derived_17clue_nosolution.txt", 0},
                              {"derived_17clue_16clue_multi.txt", 2}};
  for (const PuzzleList& list : lists) {
    const std::string path = std::string(VANTRIC_DATA_DIR) + "/" + list.name;
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
      ADD_FAILURE() << "puzzle list missing: " << path;
      continue;
    }
    char line[256];
    for (int number = 0; std::fgets(line, sizeof line, file) != nullptr; ++number) {
      if (number % 41 != 0) continue;
      int board[kCellCount];
      readCells(line, board);
      checkBoard(board, list.solutions, path + ":" + std::to_string(number + 1));
    }
    std::fclose(file);
  }
}
