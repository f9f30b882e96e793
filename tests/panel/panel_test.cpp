// The browser's side panel: its hints are the rater's next step from the
// board, its explanations the rater's path, its made puzzles within their
// difficulty, and its refusals say why.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "logic/rating.h"
#include "logic/step_text.h"
#include "tests/logic/logic_support.h"
#include "ui/web/panel.h"

namespace {

// The README's puzzle, rated 7.2, and its solution.
constexpr char kPuzzle[] =
    "083020090000800100029300008000098700070000060006740000300006980002005000010030540";

struct Panel : testing::Test {
  void SetUp() override {
    workspace = std::make_unique<PanelWorkspace>();
    answer = std::make_unique<PanelAnswer>();
    preparePanel(*workspace);
  }
  std::unique_ptr<PanelWorkspace> workspace;
  std::unique_ptr<PanelAnswer> answer;
};

void boardOf(const std::string& text, int board[kCellCount]) {
  readBoard(text, board);
}

struct Steps {
  std::string lines;
  std::string first;
  CellIndex firstPlacement;
};

void collectStep(const Step& step, const LogicGrid&, void* data) {
  Steps& steps = *static_cast<Steps*>(data);
  char line[kStepTextSize];
  formatRatedStep(step, line, int(sizeof line));
  if (steps.lines.empty()) {
    steps.first = line;
    steps.firstPlacement = step.placedCell;
  }
  steps.lines += line;
  steps.lines += '\n';
}

// Over a sample of the development list, each puzzle with some of its
// solution's digits filled in as a player's: the hint is the step the
// rater takes first from there, and the explanation its whole path.
TEST_F(Panel, HintsAndExplanationsAreTheRatersSteps) {
  auto context = std::make_unique<LogicContext>();
  int checked = 0;
  for (const std::string& puzzle : readPuzzleSample("rated/se_rated_dev.txt", 4, 400)) {
    int givens[kCellCount];
    int solution[kCellCount];
    boardOf(puzzle, givens);
    ASSERT_EQ(solvePuzzle(puzzle, solution), 1) << puzzle;
    int board[kCellCount];
    for (CellIndex c = 0; c < kCellCount; ++c)
      board[c] = givens[c] != 0 || c % 7 == checked % 7 ? solution[c] : 0;
    Steps steps{"", "", kNoCell};
    RatingResult result{};
    ratePuzzle(*context, board, result, collectStep, &steps);
    char rating[96];
    formatRatingFields(result, rating, int(sizeof rating));

    writeHint(*workspace, givens, board, *answer);
    EXPECT_EQ(answer->text, steps.first) << puzzle;
    if (steps.firstPlacement != kNoCell) {
      EXPECT_EQ(answer->marks[steps.firstPlacement], kMarkPlacement) << puzzle;
    }
    writeExplanation(*workspace, givens, board, *answer);
    EXPECT_EQ(answer->text, steps.lines + "rating " + rating) << puzzle;
    ++checked;
  }
  EXPECT_EQ(checked, 400);
}

TEST_F(Panel, HintNamesTheFirstWrongDigitAndCountsTheRest) {
  int givens[kCellCount];
  int board[kCellCount];
  boardOf(kPuzzle, givens);
  boardOf(kPuzzle, board);
  // r1c1 is 1 in the solution, r1c4 5 and r9c9 6.
  board[0] = 2;
  board[3] = 6;
  board[80] = 6;
  writeHint(*workspace, givens, board, *answer);
  EXPECT_STREQ(answer->text,
               "r1c1 is wrong: its 2 is not the solution's digit. 1 more square is wrong too.");
  EXPECT_EQ(answer->marks[0], kMarkWrong);
  EXPECT_EQ(answer->marks[3], kMarkWrong);
  EXPECT_EQ(answer->marks[80], kMarkNone);
}

TEST_F(Panel, PuzzlesWithoutOneSolutionAreRefusedWithTheReason) {
  struct Case {
    const char* puzzle;
    const char* hint;
    const char* rating;
  };
  const Case cases[] = {
      {"11...............................................................................",
       "The puzzle repeats a digit in a row, column or box.", "- Invalid"},
      {".................................................................................",
       "The puzzle has more than one solution, so no chain of logic leads to one answer.",
       "- MultipleSolutions"},
      {"12345678.........9...............................................................",
       "The puzzle has no solution.", "- NoSolution"},
  };
  for (const Case& c : cases) {
    int givens[kCellCount];
    boardOf(c.puzzle, givens);
    writeHint(*workspace, givens, givens, *answer);
    EXPECT_STREQ(answer->text, c.hint) << c.puzzle;
    writeRating(*workspace, givens, *answer);
    EXPECT_EQ(std::string(answer->text), std::string(c.rating) + "\n" + c.hint) << c.puzzle;
  }
}

TEST_F(Panel, SolvedBoardAndRating) {
  int givens[kCellCount];
  int board[kCellCount];
  boardOf(kPuzzle, givens);
  solvePuzzle(kPuzzle, board);
  writeHint(*workspace, givens, board, *answer);
  EXPECT_STREQ(answer->text, "The puzzle is solved.");
  writeRating(*workspace, givens, *answer);
  EXPECT_STREQ(answer->text, "7.2 ForcingChain\nExpert");
}

TEST_F(Panel, MadePuzzlesHaveOneSolutionAndRateWithinTheirDifficulty) {
  auto context = std::make_unique<LogicContext>();
  for (int difficulty = 0; difficulty < kDifficultyCount; ++difficulty) {
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
      makePanelPuzzle(*workspace, difficulty, seed, *answer);
      const std::string puzzle = answer->puzzle;
      ASSERT_EQ(puzzle.size(), std::size_t(kCellCount)) << answer->text;
      int solution[kCellCount];
      ASSERT_EQ(solvePuzzle(puzzle, solution), 1) << puzzle;
      int board[kCellCount];
      boardOf(puzzle, board);
      RatingResult result{};
      ratePuzzle(*context, board, result);
      ASSERT_TRUE(result.finished) << puzzle;
      const int tenths = ratingTenths(result.rating);
      EXPECT_GE(tenths, kDifficulties[difficulty].minRating) << puzzle;
      EXPECT_LE(tenths, kDifficulties[difficulty].maxRating) << puzzle;
      EXPECT_NE(std::strstr(answer->text, kDifficulties[difficulty].name), nullptr);
      // One seed makes one puzzle, whatever was made before.
      makePanelPuzzle(*workspace, difficulty, seed, *answer);
      EXPECT_EQ(puzzle, answer->puzzle);
    }
  }
}

}  // namespace
