// Every step the rater takes over samples of every puzzle list, checked
// against the puzzle's one solution.
#include <gtest/gtest.h>

#include <memory>

#include "logic/rating.h"
#include "logic/step_text.h"
#include "tests/logic/logic_support.h"

namespace {

struct SweepCheck {
  const std::string* puzzle;
  int solution[kCellCount];
  double largestRating;
  int faults;
};

void checkStep(const Step& step, const LogicGrid& grid, void* data) {
  SweepCheck& check = *static_cast<SweepCheck*>(data);
  if (step.rating > check.largestRating) check.largestRating = step.rating;
  char text[512];
  formatStep(step, text, sizeof text);
  if (step.placedCell != kNoCell) {
    EXPECT_EQ(step.placedDigit, check.solution[step.placedCell]) << *check.puzzle << ": " << text;
    check.faults += step.placedDigit != check.solution[step.placedCell];
  }
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    const int removed = step.eliminations[cell] & grid.candidates[cell];
    if (removed & digitBit(check.solution[cell])) {
      ADD_FAILURE() << *check.puzzle << ": removes the solution's " << check.solution[cell]
                    << " from r" << cell / 9 + 1 << "c" << cell % 9 + 1 << ": " << text;
      ++check.faults;
    }
  }
}

struct ListSample {
  const char* name;
  int stride;
  int limit;
};

// Each list read at a stride that spreads the sample over the whole list.
constexpr ListSample kSamples[] = {
    {"17clue.txt", 2459, 20},
    {"top1465.txt", 73, 20},
    {"forum_hardest_1106.txt", 61, 6},
    {"forum_hardest_1905_11plus_sample.txt", 2437, 4},
    {"rated/se_rated_dev.txt", 80, 20},
    {"rated/se_rated_17clue_sample.txt", 61, 10},
    {"rated/se_rated_top1465_sample.txt", 29, 10},
    {"derived_17clue_16clue_multi.txt", 201, 5},
    {"derived_17clue_nosolution.txt", 201, 5},
    {"serg_benchmark_multi.txt", 2003, 5},
};

}  // namespace

TEST(RatingSoundness, EveryStepKeepsTheSolution) {
  auto context = std::make_unique<LogicContext>();
  // Deep enough for the fourth nested level; the default bound would keep
  // one 11+ sample running for minutes in the twenty times slower sanitizer
  // build, where this bound takes about two for the whole sweep.
  context->workBound = 64'000'000;
  int rated = 0;
  for (const ListSample& list : kSamples) {
    for (const std::string& puzzle : readPuzzleSample(list.name, list.stride, list.limit)) {
      SweepCheck check{&puzzle, {}, 0.0, 0};
      // Puzzles with no solution or several are never rated.
      if (solvePuzzle(puzzle, check.solution) != 1) continue;
      int board[kCellCount];
      readBoard(puzzle, board);
      RatingResult result;
      ratePuzzle(*context, board, result, checkStep, &check);
      ASSERT_EQ(check.faults, 0) << list.name << ": " << puzzle;
      EXPECT_EQ(result.rating, check.largestRating) << puzzle;
      if (!result.finished) continue;
      ++rated;
      for (CellIndex cell = 0; cell < kCellCount; ++cell)
        ASSERT_EQ(context->grid.value[cell], check.solution[cell]) << puzzle;
    }
  }
  EXPECT_GT(rated, 0);
}
