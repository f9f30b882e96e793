#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "model/builtin_puzzles.h"
#include "tests/solver/solver_support.h"

namespace {

SearchResult fast;
SearchResult reference;

bool repeats(const int board[kCellCount]) {
  for (int a = 0; a < kCellCount; ++a) {
    for (int b = a + 1; b < kCellCount; ++b) {
      if (board[a] == 0 || board[a] != board[b]) continue;
      if (a / 9 == b / 9 || a % 9 == b % 9 || (a / 27 == b / 27 && a % 9 / 3 == b % 9 / 3))
        return true;
    }
  }
  return false;
}

// The program's search agrees node for node with the passes run step by
// step, and its verdict with an exhaustive count.
void checkBoard(const int board[kCellCount], int completions, const std::string& label) {
  programSolve(board, fast);
  referenceSolve(board, reference);
  EXPECT_EQ(fast.nodes, reference.nodes) << label;
  EXPECT_EQ(fast.deepestSlot, reference.deepestSlot) << label;
  EXPECT_EQ(fast.found, reference.found) << label;
  if (fast.found && reference.found) {
    for (int c = 0; c < kCellCount; ++c) ASSERT_EQ(fast.grid[c], reference.grid[c]) << label;
  }
  if (completions < 0) return;
  if (repeats(board)) {
    EXPECT_EQ(fast.nodes, 0) << label;
    EXPECT_FALSE(fast.found) << label;
  } else if (completions == 0) {
    EXPECT_FALSE(fast.found) << label;
  } else {
    EXPECT_TRUE(fast.found) << label;
    EXPECT_TRUE(isCompletionOf(fast.grid, board)) << label;
  }
}

// A random full grid: a known one with its digits relabelled and its rows,
// bands, columns and stacks shuffled, which keeps every unit whole.
void makeRandomGrid(int grid[kCellCount], std::mt19937& random) {
  int known[kCellCount];
  readCells(kSolvedGrid, known);
  int digits[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::shuffle(digits + 1, digits + 10, random);
  int rows[9];
  int columns[9];
  for (int* lines : {rows, columns}) {
    int bands[3] = {0, 1, 2};
    std::shuffle(bands, bands + 3, random);
    for (int b = 0; b < 3; ++b) {
      int within[3] = {0, 1, 2};
      std::shuffle(within, within + 3, random);
      for (int i = 0; i < 3; ++i) lines[b * 3 + i] = bands[b] * 3 + within[i];
    }
  }
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) grid[r * 9 + c] = digits[known[rows[r] * 9 + columns[c]]];
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
    int grid[kCellCount];
    makeRandomGrid(grid, random);
    int board[kCellCount];
    // Between 18 and 45 clues: from many solutions to a unique one.
    const int clues = 18 + int(random() % 28);
    int order[kCellCount];
    for (int c = 0; c < kCellCount; ++c) order[c] = c;
    std::shuffle(order, order + kCellCount, random);
    for (int c = 0; c < kCellCount; ++c) board[c] = 0;
    for (int i = 0; i < clues; ++i) board[order[i]] = grid[order[i]];

    const int kind = round % 4;
    if (kind == 2) {
      // A wrong clue that clashes with no other clue: usually no solution.
      const int cell = order[clues];
      for (int d = 1; d <= 9; ++d) {
        board[cell] = d;
        if (d != grid[cell] && !repeats(board)) break;
        board[cell] = 0;
      }
    } else if (kind == 3) {
      // A clue copied into another cell of its row.
      const int cell = order[0];
      const int other = cell / 9 * 9 + (cell % 9 + 1 + int(random() % 8)) % 9;
      board[other] = board[cell];
    }
    const int completions = countCompletions(board, 2);
    if (repeats(board))
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
}

// Every 41st line of each puzzle list, where the lists are present.
TEST(CrossCheck, SampleOfThePuzzleLists) {
  setUpBoard(kEmptyBoard);
  const char* lists[] = {"17clue.txt",
                         "top1465.txt",
                         "forum_hardest_1106.txt",
                         "forum_hardest_1905_11plus_sample.txt",
                         "serg_benchmark_multi.txt",
                         "derived_17clue_nosolution.txt",
                         "derived_17clue_16clue_multi.txt"};
  int checked = 0;
  for (const char* name : lists) {
    const std::string path = std::string(VANTRIC_DATA_DIR) + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) continue;
    char line[256];
    for (int number = 0; std::fgets(line, sizeof line, file) != nullptr; ++number) {
      if (number % 41 != 0) continue;
      int board[kCellCount];
      readCells(line, board);
      checkBoard(board, -1, path + ":" + std::to_string(number + 1));
      ++checked;
    }
    std::fclose(file);
  }
  if (checked == 0) GTEST_SKIP() << "no puzzle list in " << VANTRIC_DATA_DIR;
}
