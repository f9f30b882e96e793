// The canonical form: one form for every arrangement and relabelling of a
// board, different forms for boards that are not, and the least form,
// as the search of every arrangement finds it.
#include "generator/canonical_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "generator/grid_search.h"
#include "model/tables.h"
#include "solver/search.h"
#include "tests/generator/exhaustive_form.h"
#include "tests/generator/random_arrangement.h"
#include "tests/support/grid_text.h"

namespace {

struct Board {
  int cells[kCellCount];
  std::string name;
};

const char* const kLists[] = {"17clue.txt",
                              "top1465.txt",
                              "forum_hardest_1106.txt",
                              "forum_hardest_1905_11plus_sample.txt",
                              "serg_benchmark_multi.txt",
                              "derived_17clue_nosolution.txt",
                              "derived_17clue_16clue_multi.txt"};

// Every step-th line of a list from data/, taken whole when step is 1.
std::vector<Board> readList(const char* name, int step) {
  std::vector<Board> boards;
  const std::string path = std::string(VANTRIC_DATA_DIR) + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) {
    ADD_FAILURE() << "puzzle list missing: " << path;
    return boards;
  }
  char line[256];
  for (int number = 0; std::fgets(line, sizeof line, file) != nullptr; ++number) {
    if (number % step != 0) continue;
    boards.emplace_back();
    readCells(line, boards.back().cells);
    boards.back().name = std::string(name) + ":" + std::to_string(number + 1);
  }
  std::fclose(file);
  return boards;
}

// The solution the solver finds, or nothing for a board without one.
bool solve(const int board[kCellCount], int grid[kCellCount]) {
  static const std::unique_ptr<GameState> state = std::make_unique<GameState>();
  for (CellIndex c = 0; c < kCellCount; ++c) state->board[c] = board[c];
  runSolve(*state);
  for (CellIndex c = 0; c < kCellCount; ++c) grid[c] = state->solution[c];
  return state->solutionFound;
}

// Boards that take the search's rarer paths: nothing or one digit, a
// repeated digit everywhere, and the grid whose every band and stack
// repeats its first, which ties thousands of arrangements, whole and with
// cells emptied at random.
std::vector<Board> unusualBoards(std::mt19937& random) {
  std::vector<Board> boards;
  const auto add = [&boards](const std::string& name) {
    boards.emplace_back();
    boards.back().name = name;
    return boards.back().cells;
  };
  int* cells = add("empty");
  for (CellIndex c = 0; c < kCellCount; ++c) cells[c] = 0;
  cells = add("one clue");
  for (CellIndex c = 0; c < kCellCount; ++c) cells[c] = c == 40 ? 7 : 0;
  cells = add("all 3");
  for (CellIndex c = 0; c < kCellCount; ++c) cells[c] = 3;
  for (int i = 0; i < 12; ++i) {
    cells = add("the patterned grid, " + std::to_string(i * 8) + "% emptied");
    std::bernoulli_distribution emptied(i * 0.08);
    for (CellIndex c = 0; c < kCellCount; ++c) {
      const int row = c / 9;
      cells[c] = emptied(random) ? 0 : (row * 3 + row / 3 + c % 9) % 9 + 1;
    }
  }
  for (int i = 0; i < 6; ++i) {
    cells = add("random digits " + std::to_string(i));
    std::bernoulli_distribution filled(0.15 + 0.15 * i);
    std::uniform_int_distribution<int> digit(1, 9);
    for (CellIndex c = 0; c < kCellCount; ++c) cells[c] = filled(random) ? digit(random) : 0;
  }
  return boards;
}

// About perList puzzles spread over each list, the solutions of a quarter
// of them, grids the maker draws and the unusual boards.
std::vector<Board> sampleBoards(int perList, std::mt19937& random) {
  std::vector<Board> boards = unusualBoards(random);
  for (const char* list : kLists) {
    const std::vector<Board> whole = readList(list, 1);
    const std::size_t step = std::max<std::size_t>(1, whole.size() / std::size_t(perList));
    for (std::size_t i = 0; i < whole.size(); i += step) {
      boards.push_back(whole[i]);
      if (i / step % 4 != 0 || !solve(whole[i].cells, boards.back().cells)) continue;
      boards.push_back(whole[i]);
      boards.back().name += " solved";
    }
  }
  SearchFrames frames;
  Random drawn{0x5EED};
  for (int i = 0; i < 10; ++i) {
    boards.emplace_back();
    makeSolvedGrid(frames, drawn, boards.back().cells);
    boards.back().name = "drawn grid " + std::to_string(i);
  }
  return boards;
}

std::string formOf(CanonicalWorkspace& workspace, const int board[kCellCount]) {
  int form[kCellCount];
  findCanonicalForm(workspace, board, form);
  return cellsText(form);
}

class CanonicalForm : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { initTables(); }
  std::unique_ptr<CanonicalWorkspace> workspace = std::make_unique<CanonicalWorkspace>();
  std::mt19937 random{2026};
};

// Every arrangement of a board gives one form, which is one of them: its
// own form, with the board's clues, each digit as often as some digit
// of the board.
TEST_F(CanonicalForm, RandomArrangementsGiveOneForm) {
  for (const Board& board : sampleBoards(VANTRIC_WHOLE_LISTS ? 1000 : 100, random)) {
    const std::string form = formOf(*workspace, board.cells);
    int formCells[kCellCount];
    readCells(form.c_str(), formCells);
    ASSERT_EQ(formOf(*workspace, formCells), form) << board.name;
    std::multiset<int> boardCounts;
    std::multiset<int> formCounts;
    for (int digit = 0; digit <= 9; ++digit) {
      int inBoard = 0;
      int inForm = 0;
      for (CellIndex c = 0; c < kCellCount; ++c) {
        inBoard += board.cells[c] == digit;
        inForm += formCells[c] == digit;
      }
      if (digit == 0) {
        ASSERT_EQ(inForm, inBoard) << board.name;
        continue;
      }
      boardCounts.insert(inBoard);
      formCounts.insert(inForm);
    }
    ASSERT_EQ(formCounts, boardCounts) << board.name;
    for (int i = 0; i < 8; ++i) {
      int moved[kCellCount];
      rearrange(board.cells, moved, random);
      ASSERT_EQ(formOf(*workspace, moved), form) << board.name << " arranged " << cellsText(moved);
    }
  }
}

// The known 17-clue puzzles are pairwise inequivalent: as many forms as
// puzzles.
TEST_F(CanonicalForm, SeventeenCluePuzzlesAllDiffer) {
  const std::vector<Board> boards = readList("17clue.txt", VANTRIC_WHOLE_LISTS ? 1 : 7);
  std::set<std::string> forms;
  for (const Board& board : boards) forms.insert(formOf(*workspace, board.cells));
  EXPECT_EQ(forms.size(), boards.size());
  if (VANTRIC_WHOLE_LISTS) {
    EXPECT_EQ(boards.size(), 49158u);
  }
}

// The least arrangement, as the search of every one finds it: a few hundred
// boards of every kind here, fifteen or so under the sanitizers.
TEST_F(CanonicalForm, AgreesWithEveryArrangementSearched) {
  std::vector<Board> boards = sampleBoards(VANTRIC_WHOLE_LISTS ? 24 : 1, random);
  if (!VANTRIC_WHOLE_LISTS) {
    std::vector<Board> some;
    for (std::size_t i = 0; i < boards.size(); i += 3) some.push_back(boards[i]);
    boards.swap(some);
  }
  for (const Board& board : boards) {
    int slow[kCellCount];
    findFormExhaustively(board.cells, slow);
    EXPECT_EQ(formOf(*workspace, board.cells), cellsText(slow)) << board.name;
  }
}

// Solution grids take a path of their own: many drawn grids, their
// arrangements, two grids of many symmetries and full boards one swap away
// from a grid, which must not take it, against the plain search.
TEST_F(CanonicalForm, SolutionGridsAgreeWithEveryArrangementSearched) {
  std::vector<Board> boards;
  SearchFrames frames;
  Random drawn{0x6121D};
  for (int i = 0; i < (VANTRIC_WHOLE_LISTS ? 80 : 2); ++i) {
    boards.emplace_back();
    makeSolvedGrid(frames, drawn, boards.back().cells);
    boards.back().name = "drawn grid " + std::to_string(i);
  }
  boards.emplace_back();
  boards.back().name = "the grid shifted by rows";
  for (CellIndex c = 0; c < kCellCount; ++c)
    boards.back().cells[c] = (3 * (c / 9 % 3) + c / 27 + c % 9) % 9 + 1;
  boards.emplace_back();
  boards.back().name = "the grid shifted by columns";
  for (CellIndex c = 0; c < kCellCount; ++c)
    boards.back().cells[c] = (c / 9 + c % 9 * 3 + c % 9 / 3) % 9 + 1;
  for (int i = 0; i < 2; ++i) {
    boards.push_back(boards[std::size_t(i)]);
    std::swap(boards.back().cells[10 * i], boards.back().cells[10 * i + 1]);
    boards.back().name += ", two cells swapped";
  }
  for (const Board& board : boards) {
    int slow[kCellCount];
    findFormExhaustively(board.cells, slow);
    const std::string form = formOf(*workspace, board.cells);
    ASSERT_EQ(form, cellsText(slow)) << board.name;
    for (int i = 0; i < 4; ++i) {
      int moved[kCellCount];
      rearrange(board.cells, moved, random);
      ASSERT_EQ(formOf(*workspace, moved), form) << board.name << " arranged " << cellsText(moved);
    }
  }
}

// A fault in the grids' own shortcuts may show on one grid in tens of
// thousands: many more drawn grids, two arrangements of each giving its form.
TEST_F(CanonicalForm, ManyGridsGiveOneForm) {
  SearchFrames frames;
  Random drawn{0xF02};
  int grid[kCellCount];
  for (int i = 0; i < (VANTRIC_WHOLE_LISTS ? 30000 : 200); ++i) {
    makeSolvedGrid(frames, drawn, grid);
    const std::string form = formOf(*workspace, grid);
    for (int k = 0; k < 2; ++k) {
      int moved[kCellCount];
      rearrange(grid, moved, random);
      ASSERT_EQ(formOf(*workspace, moved), form)
          << cellsText(grid) << " arranged " << cellsText(moved);
    }
  }
}

}  // namespace
