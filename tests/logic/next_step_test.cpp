// Positions where the rater's next step is a pattern that the sampled
// ratings seldom or never reach: its technique, its rating to the tenth and
// what it removes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "logic/houses.h"
#include "logic/rating.h"
#include "logic/step_text.h"
#include "tests/logic/logic_support.h"

namespace {

struct NextStepCase {
  // Pencil marks as readPencilMarks reads them.
  const char* marks;
  Technique technique;
  int ratingTenths;
  // "r3c6-8 r8c1-8": each cell and the digits the step removes there.
  const char* removes;
};

// The eliminations of step as "r3c6-8 r8c1-8", cell by cell.
std::string removals(const Step& step) {
  std::string text;
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    if (step.eliminations[cell] == 0) continue;
    if (!text.empty()) text += ' ';
    text += 'r';
    text += char('1' + cell / 9);
    text += 'c';
    text += char('1' + cell % 9);
    text += '-';
    for (int digit = 1; digit <= 9; ++digit)
      if (step.eliminations[cell] & digitBit(digit)) text += char('0' + digit);
  }
  return text;
}

const NextStepCase kCases[] = {
    // 8 in columns 3,4,5,7 and rows 3,6,8,9, from a path through se_rated_dev.txt.
    {"+6 +8 +3 +9 +7 +5 +4 +1 +2   +5 247 47 +1 +6 28 +3 789 89   "
     "19 1279 79 38 +4 238 78 +6 +5   +2 +5 +6 +4 +9 38 +1 38 +7   "
     "348 34 +1 +7 +2 +6 +5 389 389   +7 39 89 38 +5 +1 +6 +2 +4   "
     "3489 479 +5 +6 +1 47 +2 3478 38   1348 1347 +2 +5 38 +9 78 3478 +6   "
     "348 +6 478 +2 38 47 +9 +5 +1",
     Technique::kJellyfish, 52, "r3c6-8 r8c1-8 r8c8-8 r9c1-8"},
    // A loop of eight cells on 1,5 with two cells of more digits, r7c7 and
    // r9c7, the only places of 5 in column 7 (type 4), from a path through
    // se_rated_dev.txt.
    {"+6 29 48 +3 27 89 1247 124 +5   279 +5 +3 +1 27 +4 +8 +6 279   "
     "279 +1 48 68 +5 689 2347 234 279   15 +6 15 78 +9 28 237 23 +4   "
     "+4 +7 +2 +5 +1 +3 +9 +8 +6   +8 +3 +9 67 +4 26 127 +5 127   "
     "29 +8 +6 49 +3 15 1245 +7 12   15 +4 +7 +2 +8 15 +6 +9 +3   "
     "+3 29 15 49 +6 +7 1245 124 +8",
     Technique::kUniqueLoop, 47, "r7c7-1 r9c7-1"},
    // A grave of two solutions with one digit added to each of r1c1 r2c1
    // r2c2: 5, 9 and 1 act as one cell of box 1, a naked triplet with r1c2
    // (1,5) and r3c1 (1,9), so r3c3 loses its 5. Type 3 of size 3 rates 5.9.
    {"356 15 +7 35 16 +9 +8 +4 +2   349 189 24 27 17 38 +6 19 +5   "
     "19 68 25 26 58 +4 13 39 +7   +2 +3 +8 +1 +9 +7 +4 +5 +6   "
     "45 46 56 +8 +3 +2 +9 +7 +1   +7 19 19 56 +4 56 23 23 +8   "
     "15 25 19 +4 26 36 +7 +8 39   69 24 46 37 78 18 +5 12 39   "
     "+8 +7 +3 +9 25 15 12 +6 +4",
     Technique::kBivalueUniversalGrave, 59, "r3c3-5"},
};

}  // namespace

TEST(NextStep, PatternsOnPencilMarks) {
  auto context = std::make_unique<LogicContext>();
  for (const NextStepCase& test : kCases) {
    LogicGrid grid;
    ASSERT_TRUE(readPencilMarks(test.marks, grid)) << test.marks;
    ASSERT_TRUE(findNextStepOnGrid(*context, grid)) << test.marks;
    const Step& step = context->step;
    EXPECT_EQ(step.technique, test.technique) << test.marks;
    EXPECT_EQ(ratingTenths(step.rating), test.ratingTenths) << test.marks;
    EXPECT_EQ(step.placedCell, kNoCell) << test.marks;
    EXPECT_EQ(removals(step), test.removes) << test.marks;
  }
}

// The first step of a puzzle of the 11+ list nests the static multiple
// chains in a dynamic one (level 3); without them the rater would go on to
// level 4 or find another step. The search stays within the rating's work
// bound, well under a second.
// Every off node a nested step took from an inner chain carries that chain,
// and the chain proves it: its branches end at the node (or place a digit
// in its cell), or its one assumption clashes and the node follows from that.
void expectInnerChainsProveTheirNodes(const Step& step) {
  int withChains = 0;
  for (int i = 0; i < step.nodeCount; ++i) {
    const ChainNode& node = step.nodes[i];
    if (node.innerCount == 0) continue;
    ++withChains;
    EXPECT_FALSE(node.on) << "node " << i;
    const ChainNode* inner = step.innerNodes + node.innerStart;
    const ChainNode& start = inner[0];
    bool endsAtNode = true;
    for (int j = 0; j < node.innerCount; ++j) {
      const bool last = j + 1 == node.innerCount || inner[j + 1].branchStart;
      if (!last) continue;
      const ChainNode& end = inner[j];
      const bool same = end.cell == node.cell && end.digit == node.digit && !end.on;
      const bool placesBeside = end.cell == node.cell && end.digit != node.digit && end.on;
      endsAtNode = endsAtNode && (same || placesBeside);
    }
    // A clash from assuming start: start is false, so an assumed digit of
    // the node's own goes, or an assumed removal places another beside it.
    const bool clashProves = start.cell == node.cell && ((start.on && start.digit == node.digit) ||
                                                         (!start.on && start.digit != node.digit));
    // A loop back to its assumption: the node, outside it, sees its digit
    // both on and off there, and one of the two holds.
    const ChainNode& last = inner[node.innerCount - 1];
    bool seesOn = false;
    bool seesOff = false;
    if (start.on && last.on && last.cell == start.cell && last.digit == start.digit) {
      for (int j = 0; j < node.innerCount; ++j) {
        const ChainNode& loop = inner[j];
        if (loop.cell == node.cell) seesOn = seesOff = false;
        if (loop.cell == node.cell) break;
        if (loop.digit != node.digit || !kHouses.peers[node.cell].contains(loop.cell)) continue;
        (loop.on ? seesOn : seesOff) = true;
      }
    }
    EXPECT_TRUE(endsAtNode || clashProves || (seesOn && seesOff)) << "node " << i;
  }
  EXPECT_GT(withChains, 0);
  EXPECT_EQ(step.innerChainsCut, 0);
  char text[kStepTextSize];
  formatStep(step, text, int(sizeof text));
  EXPECT_NE(std::string(text).find(" ["), std::string::npos) << text;
}

TEST(NextStep, NestedMultipleChainsAtLevelThree) {
  const std::string puzzle =
      "98.7.....6...8.7....7..5...4...5..3...89..5.......2..1.3.....4...65..9.......1..2";
  auto context = std::make_unique<LogicContext>();
  int board[kCellCount];
  readBoard(puzzle, board);
  ASSERT_TRUE(findNextStep(*context, board));
  const Step& step = context->step;
  EXPECT_EQ(step.technique, Technique::kDynamicCellForcingChain);
  EXPECT_EQ(step.level, 3);
  EXPECT_EQ(ratingTenths(step.rating), 110);
  EXPECT_EQ(step.placedCell, kNoCell);
  EXPECT_EQ(removals(step), "r3c5-4");
  expectInnerChainsProveTheirNodes(step);
}
