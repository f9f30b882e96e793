// Positions where a technique must report a known step first: the rating
// scale's scan order decides which of several it reports, and that decides
// the path.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "logic/chain_engine.h"
#include "logic/producers.h"
#include "logic/rating.h"
#include "logic/step_text.h"
#include "tests/logic/logic_support.h"

namespace {

struct TechniqueCase {
  Producer producer;
  // Its candidates are every digit no peer holds, as a rating run starts.
  const char* puzzle;
  // The explanation line of the step the producer must report, or "" for none.
  const char* step;
};

constexpr const char* kDevA =
    "590000007040010083008034900001402000069000820000109300004670200980040030700000016";
constexpr const char* kDevB =
    "200050006010000090600801003007090600000703000900080002100000005060902010003060200";
constexpr const char* kDevC =
    "006100002080020000034805000307000040060000090040000103000601930000030050500008200";

const TechniqueCase kCases[] = {
    // Singles and the direct techniques: boxes, then columns, then rows.
    {findHiddenSingle, kDevA, "r1c3=3 hidden single in box 1"},
    {findDirectPointing, kDevA,
     "r1c7=1 direct pointing: 1 in box 1, row 3, the last place in box 3"},
    {findDirectPointing,
     "083020090000800100029300008000098700070000060006740000300006980002005000010030540",
     "r2c8=2 direct pointing: 2 in box 9, column 9, the last place in box 3"},
    {findDirectHiddenPair, kDevB, "r7c3=2 direct hidden pair: 1,6 in r5c3 r6c3, column 3"},
    {findNakedSingle, kDevA, "r5c5=5 naked single"},
    {findDirectHiddenTriplet, kDevC,
     "r1c8=8 direct hidden triplet: 3,4,5 in r1c7 r2c7 r2c9, box 3"},
    // Intersections: a box in a line before a line in a box.
    {findPointing, kDevA, "pointing: 6 in box 5, column 5 removes 6 from r1c5"},
    {findPointing,
     "000600309306700010001004720900500000010000070000006001053900100070005804809007000",
     "claiming: 1 in column 4, box 8 removes 1 from r8c5 r9c5"},
    // Naked and hidden sets, their cells or digits in increasing binary order.
    {findNakedPair, kDevB,
     "naked pair: 3,4 in r1c4 r7c4, column 4 removes 3 from r2c4, 4 from r2c4 r4c4 r6c4 r9c4"},
    {findHiddenPair, kDevA, "hidden pair: 3,7 in r5c4 r5c6, box 5 removes 5 from r5c4 r5c6"},
    {findNakedTriplet, kDevB,
     "naked triplet: 3,4,7 in r7c4 r7c5 r8c5, box 8 removes 4 from r7c6 r9c4 r9c6, 7 from r7c6 "
     "r9c6"},
    {findHiddenTriplet, kDevB,
     "hidden triplet: 1,2,6 in r5c3 r6c3 r7c3, column 3 removes 4 from r5c3 r6c3 r7c3, 5 from "
     "r5c3 r6c3, 8 from r5c3 r7c3, 9 from r7c3"},
    {findNakedQuad, kDevC,
     "naked quad: 1,6,7,8 in r1c8 r2c8 r3c7 r3c8, box 3 removes 1 from r2c9 r3c9, 6 from r2c7 "
     "r2c9 r3c9, 7 from r1c7 r2c7 r2c9 r3c9, 8 from r1c7"},
    {findHiddenQuad,
     "900060001060089040000250000050000600632000894009000030000028000020930080700010006",
     "hidden quad: 2,3,6,8 in r4c4 r4c6 r6c4 r6c6, box 5 removes 1 from r4c4 r4c6 r6c4 r6c6, 4 "
     "from r4c4 r4c6 r6c4 r6c6, 5 from r6c4 r6c6, 7 from r4c4 r4c6 r6c4 r6c6"},
    // Fish: columns as base lines first, then rows.
    {findXWing, kDevA, "X-wing: 1 in columns 1,2, rows 3,7 removes 1 from r3c9 r7c6"},
    {findXWing, "520010007080040032007500100000000700410060059002000000009006200360070080200050043",
     "X-wing: 7 in rows 2,5, columns 4,6 removes 7 from r6c4 r6c6"},
    {findSwordfish,
     "005010200300040007100309004006907300071000890000000000600080003030425060000000000",
     "swordfish: 1 in columns 2,4,6, rows 6,7,9 removes 1 from r6c7 r6c8 r6c9 r7c7 r7c8 r9c7 "
     "r9c8 r9c9"},
    // Wings: pivots in cell order, each wing among the pivot's peers in order.
    {findXYWing, kDevA, "XY-wing: pivot r2c7, wings r1c8 r9c7 removes 4 from r1c7"},
    {findXYZWing, kDevA, "XYZ-wing: pivot r4c7, wings r2c7 r8c7 removes 5 from r9c7"},
    // Aligned exclusion: pairs of cells in increasing binary order.
    {findAlignedPairExclusion,
     "070090040140208037900010008080000090201040603400000001010000020000629000700080009",
     "aligned pair exclusion: r1c7 r1c9 removes 5 from r1c7"},
    {findAlignedTripletExclusion, kDevA,
     "aligned triplet exclusion: r1c3 r1c4 r1c6 removes 2 from r1c3, 6 from r1c3"},
};

}  // namespace

TEST(TechniqueSteps, EachPositionGivesItsFirstStep) {
  auto context = std::make_unique<LogicContext>();
  for (const TechniqueCase& test : kCases) {
    int board[kCellCount];
    readBoard(test.puzzle, board);
    initLogicGrid(context->grid, board);
    char text[512] = "";
    if (test.producer(*context, context->grid, context->step))
      formatStep(context->step, text, sizeof text);
    EXPECT_STREQ(text, test.step) << test.puzzle;
  }
}

namespace {

// Rates every stride-th puzzle of a rated list whose rating lies in
// [low, high) and expects the list's rating; the number compared.
int expectGraderRatings(LogicContext& context, const char* list, int stride, double low,
                        double high) {
  const std::vector<std::string> puzzles = readPuzzleSample(list, stride, 2000);
  const std::vector<double> ratings = readRatingSample(list, stride, 2000);
  EXPECT_EQ(puzzles.size(), ratings.size());
  int compared = 0;
  for (std::size_t i = 0; i < puzzles.size() && i < ratings.size(); ++i) {
    if (ratings[i] < low || ratings[i] >= high) continue;
    int board[kCellCount];
    readBoard(puzzles[i], board);
    RatingResult result;
    ratePuzzle(context, board, result);
    EXPECT_EQ(ratingTenths(result.rating), ratingTenths(ratings[i])) << list << ": " << puzzles[i];
    ++compared;
  }
  return compared;
}

}  // namespace

// Below 4.0 the grader's path uses the basic techniques alone, so every such
// puzzle of the rated samples must get exactly its rating.
TEST(TechniqueSteps, BasicRatingsAgreeWithTheGrader) {
  auto context = std::make_unique<LogicContext>();
  int compared = 0;
  for (const char* list : {"rated/se_rated_17clue_sample.txt", "rated/se_rated_top1465_sample.txt"})
    compared += expectGraderRatings(*context, list, 1, 0.0, 4.0);
  EXPECT_GT(compared, 500);
}

// From 6.5 to 7.4 only the static chains and cycles rate a step, so a sample
// of such puzzles tests their choice of hint along whole paths.
TEST(TechniqueSteps, StaticChainRatingsAgreeWithTheGrader) {
  auto context = std::make_unique<LogicContext>();
  EXPECT_GT(expectGraderRatings(*context, "rated/se_rated_dev.txt", 3, 6.5, 7.5), 250);
}

namespace {

// A step of the grader's path through a puzzle, found by the chain
// producers: the path agrees with the grader's up to it.
struct PathCase {
  const char* puzzle;
  int stepNumber;
  // The start of the step's line: its rating and technique.
  const char* start;
  const char* conclusion;
};

const PathCase kChainCases[] = {
    {"7.8...3.....6.1...5.........4.....263...8.......1...9..9.2....4....7.5...........", 8,
     "7.9 Nishio forcing chain:", ", so r9c2<>6"},
    {"7.8...3.....6.1...5.........4.....263...8.......1...9..9.2....4....7.5...........", 9,
     "8.3 region forcing chain, 5 in row 2:", ", so r2c9<>9"},
    {"7.8...3.....6.1...5.........4.....263...8.......1...9..9.2....4....7.5...........", 12,
     "9.1 dynamic contradiction forcing chain:", ", so r9c2<>1"},
    {"7.8...3.....6.1...5.........4.....263...8.......1...9..9.2....4....7.5...........", 23,
     "9.3 dynamic region forcing chain (+), 4 in row 6:", ", so r5c6<>7"},
    {"7.8...3.....6.1...5.........4.....263...8.......1...9..9.2....4....7.5...........", 24,
     "9.4 dynamic double forcing chain (+):", ", so r5c2<>7"},
    {"7.8...3.....6.1...5.........4.....263...8.......1...9..9.2....4....7.5...........", 28,
     "9.0 dynamic cell forcing chain in r7c5:", ", so r7c8<>6"},
    {"4...5...9..3...8.....1.9........4.......8.29.15.6...7.8.6....4.5.......3..9.4.78.", 5,
     "8.4 cell forcing chain in r2c6:", ", so r3c9<>6"},
    {".2...........53..9...12.58.9......36....8..1....2..7..7.8..6...3.9.....5.4.....6.", 17,
     "9.0 dynamic contradiction forcing chain: r1c6<>8 ->", ", so r1c6=8"},
    {"12.4.........8...37....6...........8.....2.45..59...6..1...4.9..7....8..96..1..2.", 12,
     "8.8 dynamic double forcing chain:", ", so r1c8<>7"},
    {".62.....5....4.8..8...21...67.....3...1.73...3..1...48...7..9.6.....5..329.......", 4,
     "8.9 dynamic region forcing chain, 4 in row 7:", ", so r8c3<>4"},
    // Placements: a Nishio chain from the candidate assumed off, and on nodes
    // every branch of a cell or a region reaches.
    {"090006080600500003002070500900000040005020800040000007003060700800001004060900050", 10,
     "7.9 Nishio forcing chain: r2c6<>2 ->", ", so r2c6=2"},
    {"005060000060301040001000306050070080600509001020080090702000800030702010000030700", 21,
     "8.4 cell forcing chain in r9c9:", ", so r2c7=9"},
    {"040605030705020001000100050300000507020000040801000009070003000500010204010502090", 24,
     "8.4 region forcing chain, 9 in row 7:", ", so r1c5=9"},
    // Static chains and cycles: the grader lists a cycle's cells in the
    // order the loop visits them, which the whole loop here must follow.
    {".9..2....6..1...........3.5...91..2.17.8...4...24.....71.....6.85.3...7..2..8....", 24,
     "6.6 X-cycle: r1c1=5 -> r1c4<>5 -> r9c4=5 -> r9c8<>5 -> r7c7=5 -> r5c7<>5 -> r5c3=5 -> "
     "r2c3<>5 -> r1c1=5",
     " removes 5 from r4c3 r4c7 r6c7"},
    {"..48.7.6.2..59.........1..95.6....28.1.....3.43....6.17..9.........83..6.8.1.52..", 15,
     "6.6 Y-cycle: r2c2=6 -> r2c6<>6 -> r2c6=4 -> r4c6<>4 -> r4c6=9 -> r4c2<>9 -> r4c2=7 -> "
     "r2c2<>7 -> r2c2=6",
     " removes 4 from r5c6 r7c6, 7 from r3c2, 9 from r4c7"},
    {"9..6....7.6..7..3...7...2..6..5.8..2..4...8..2..3.1..9..1...5...4..5..1.8....9..4", 9,
     "7.1 bidirectional cycle: r1c7=1 -> r4c7<>1 -> r4c2=1 -> r4c2<>7 -> r4c8=7 -> r4c8<>4 -> "
     "r6c7=4 -> r1c7<>4 -> r1c7=1",
     " removes 1 from r2c7, 4 from r2c7"},
    // A loop is reported before its start's chain of the same rating and length.
    {"8..9..41..2.8.......7.46.......3..29.73...54.61..9.......76.9.......8.7..45..9..8", 21,
     "7.1 bidirectional cycle: r2c6=1 -> r2c6<>3 -> r2c7=3 -> r2c7<>6 -> r2c9=6 -> r5c9<>6 -> "
     "r5c9=1 -> r5c6<>1 -> r2c6=1",
     " removes 1 from r5c4"},
    {"................12..3.45.........4.6.2.......61.3........2...6...4...5...7..8....", 40,
     "6.8 forcing X-chain: r4c3=8 ->", ", so r4c3<>8"},
    {".8.3.......2......6....1..4..7..4...5.......6.1.2.9.7.....5..87.3...7.9...14.....", 4,
     "7.1 forcing chain: r9c5=3 ->", ", so r9c5<>3"},
    {"...7.2.....1.8.9...8..1..5.5..3.7..6....2.....7.6.8.3.8.9...1.334.....65.1.....9.", 9,
     "7.2 forcing chain: r4c5<>4 ->", ", so r4c5=4"},
};

void keepStepLine(const Step& step, const LogicGrid&, void* data) {
  char text[1024];
  formatStep(step, text, sizeof text);
  char line[1100];
  std::snprintf(line, sizeof line, "%.1f %s", double(ratingTenths(step.rating)) / 10.0, text);
  static_cast<std::vector<std::string>*>(data)->push_back(line);
}

// Rates each case's puzzle and checks its step against the case.
template <std::size_t kCount>
void expectPathSteps(const PathCase (&cases)[kCount]) {
  auto context = std::make_unique<LogicContext>();
  std::string rated;
  std::vector<std::string> lines;
  for (const PathCase& test : cases) {
    if (rated != test.puzzle) {
      rated = test.puzzle;
      lines.clear();
      int board[kCellCount];
      readBoard(rated, board);
      RatingResult result;
      ratePuzzle(*context, board, result, keepStepLine, &lines);
    }
    ASSERT_LE(test.stepNumber, int(lines.size())) << test.puzzle;
    const std::string& line = lines[std::size_t(test.stepNumber - 1)];
    const std::string conclusion = test.conclusion;
    EXPECT_EQ(line.rfind(test.start, 0), 0u) << line;
    EXPECT_TRUE(line.size() > conclusion.size() &&
                line.compare(line.size() - conclusion.size(), conclusion.size(), conclusion) == 0)
        << line;
  }
}

// Strong links, wings of an almost locked set, unique loops and BUG: the
// grader's path reaches each step; the eliminations are the step's own.
const PathCase kPatternCases[] = {
    {"010700000406020000902105000048090000601000507000050840000503702000070906000006050", 24,
     "4.1 two-string kite: 8 in column 1 and row 9, r1c1=r7c1-r9c2=r9c9", " removes 8 from r1c9"},
    {"010700000406020000902105000048090000601000507000050840000503702000070906000006050", 26,
     "4.2 turbot crane: 3 in column 1 and box 9, r1c1=r8c1-r8c8=r9c7", " removes 3 from r1c7"},
    {"010700000406020000902105000048090000601000507000050840000503702000070906000006050", 28,
     "5.4 three skyscrapers: 3 in column 1, column 3 and column 9, r1c1=r8c1-r9c3=r6c3-r6c9=r1c9",
     " removes 3 from r1c5 r1c8"},
    {"300056007000200300056010400500000080702000903060000001008070130007004000100360009", 13,
     "4.3 grouped skyscraper: 8 in column 2 and column 4, r5c2=r1c2-r1c4=r56c4",
     " removes 8 from r5c5 r5c6"},
    // Box 5 holds 3 in its heart r5c5 and in two cells of each arm: the
    // grader's link of the arms alone is no strong link; the row arm with
    // the heart is, and gives the same step.
    {"708502009090000020002000407500107002000000000400806005804000200070000050200904108", 14,
     "4.3 grouped turbot crane: 3 in row 9 and box 5, r9c2=r9c5-r46c5=r5c456",
     " removes 3 from r5c2"},
    {"005003040100020300090060005500208000072000830000407002200040010003070006060100200", 19,
     "5.6 three-string kite: 8 in row 3, row 7 and column 8, r3c4=r3c3-r7c3=r7c9-r8c8=r2c8",
     " removes 8 from r2c4"},
    // Box 4 holds 3 in r5c1, its heart r5c3 and r6c3: the row arm links to
    // the column arm with the heart.
    {"006809300009050000200004079402000007090060020800000405970500001000010900008906700", 21,
     "5.7 three strong links, grouped: 3 in box 6, box 4 and box 7, "
     "r456c8=r5c9-r5c1=r56c3-r78c3=r9c12",
     " removes 3 from r9c8"},
    {"900200006003080000006905320008000102050070030204000600069508700000040200800003005", 11,
     "5.5 WXYZ-wing: r7c8 r9c7 r9c8 (1,4,6,9) with r9c5, doubly linked",
     " removes 1 from r1c8 r2c8 r7c9 r8c8 r8c9, 4 from r7c9, 6 from r9c4"},
    // Two 5.6 wings remove one candidate each: the one of more candidates in
    // all (8 against 7) comes first.
    {"300100008090008310001700094000003650000000000043200000280004100039600080100005009", 19,
     "5.6 WXYZ-wing: r2c1 r2c4 r2c5 (4,5,6,7) with r1c2", " removes 5 from r1c5"},
    {"006040500300652001000309000040090050009000600030000070200487005090020080007000100", 11,
     "6.3 VWXYZ-wing: r4c3 r4c4 r4c7 r4c9 (1,2,3,7,8) with r5c5", " removes 3 from r4c6 r5c9"},
    {"000007100049080026000000003130002405900105008208400017400000000590020830001700000", 22,
     "4.5 unique rectangle type 1: 6,9 in r3c6 r3c5 r6c5 r6c6",
     " removes 6 from r3c5, 9 from r3c5"},
    {"050000630600093004900008000026030000090675020000040960000100006500720001089000040", 25,
     "4.5 unique rectangle type 2: 2,7 in r9c7 r9c9 r3c9 r3c7",
     " removes 5 from r2c7 r2c8 r3c4 r3c8"},
    {"080610000030050041001002800007000009940000013800000500002800100350070060000045030", 17,
     "4.8 unique rectangle type 3: 3,6 in r7c5 r7c6 r4c6 r4c5, naked quad 1,2,4,9 with r6c4 r6c5 "
     "r6c6 in box 5",
     " removes 1 from r4c4, 4 from r4c4"},
    {"000000000600020009085901430509000604061000380000000000300892005000000000008736200", 30,
     "4.5 unique rectangle type 3: 3,4 in r2c2 r2c3 r6c3 r6c2, hidden pair 3,4 with r6c6 in row 6",
     " removes 7 from r6c6"},
    {"040906010000703000007050600003802100080000060700090002000231000508000901060000030", 24,
     "4.5 unique rectangle type 4: 5,8 in r7c7 r7c8 r6c8 r6c7", " removes 5 from r6c7 r6c8"},
    {"050102060000070000601050702002060800060809050900507004040000070005406300000080000", 23,
     "4.6 unique loop type 4: 1,5 in r2c7 r2c9 r9c9 r9c6 r7c6 r7c7", " removes 1 from r2c9 r9c9"},
    {"090207600007003004100006020239060008000809000700030965070600009400700500006308070", 28,
     "5.6 bivalue universal grave type 1: 4 in r3c3", " removes 3 from r3c3, 5 from r3c3"},
    {"700005801002084000600000090120308000080050070000401082060000008000140300207800005", 32,
     "5.7 bivalue universal grave type 2: 6 in r1c4 r2c8", " removes 6 from r1c8 r2c4"},
};

}  // namespace

TEST(TechniqueSteps, ChainStepsFollowTheGradersPath) {
  expectPathSteps(kChainCases);
}

TEST(TechniqueSteps, PatternStepsFollowTheGradersPath) {
  expectPathSteps(kPatternCases);
}

// The length modifier adds 0.1 at a time, so that 6.6 + 0.1 sorts before
// 6.5 + 0.2 although both print 6.7.
TEST(TechniqueSteps, ChainRatingsAddTenthsAsTheScaleDoes) {
  EXPECT_EQ(chainRating(7.5, 6), 7.5);
  EXPECT_EQ(ratingTenths(chainRating(7.5, 7)), 76);
  EXPECT_EQ(ratingTenths(chainRating(8.0, 98)), 89);
  EXPECT_EQ(ratingTenths(chainRating(8.0, 99)), 90);
  EXPECT_EQ(ratingTenths(chainRating(8.5, 3074)), 104);
  EXPECT_EQ(ratingTenths(chainRating(8.5, 3075)), 105);
  EXPECT_LT(chainRating(6.6, 7), chainRating(6.5, 9));
}

// A chain search gives up once the rating's work is spent, and finds its
// step when the work is there.
TEST(TechniqueSteps, ChainSearchStopsWhenItsWorkIsSpent) {
  auto context = std::make_unique<LogicContext>();
  int board[kCellCount];
  readBoard(kChainCases[0].puzzle, board);
  initLogicGrid(context->grid, board);
  context->workLeft = 1000;
  EXPECT_FALSE(findDynamicChains<0>(*context, context->grid, context->step));
  EXPECT_LE(context->workLeft, 0);
  context->workLeft = kRatingWorkBound;
  EXPECT_TRUE(findDynamicChains<0>(*context, context->grid, context->step));
  EXPECT_GT(context->workLeft, 0);
}

// A nested step that two branches took in adds its complexity once, by its
// key; two steps apart by their chains add theirs each.
TEST(TechniqueSteps, NestedStepsCountOnceOverTheBranches) {
  auto chains = std::make_unique<ChainWorkspace>();
  auto first = std::make_unique<ChainRun>();
  auto second = std::make_unique<ChainRun>();
  const int start = chainNode(0, 1, true);
  const int proved = chainNode(1, 1, false);
  for (ChainRun* run : {first.get(), second.get()}) {
    addChainRunNode(*run, start, nullptr, 0);
    const std::uint16_t parent = std::uint16_t(start);
    addChainRunNode(*run, proved, &parent, 1);
    run->nestedCount = 1;
    run->nestedHint[proved] = 1;
    run->nestedWeight[1] = 10;
    run->nestedKey[1] = 42;
  }
  const auto both = [&] {
    beginComplexity(*chains);
    return ancestorCount(*chains, *first, proved) + ancestorCount(*chains, *second, proved);
  };
  EXPECT_EQ(both(), 2 + 2 + 10);
  EXPECT_EQ(both(), 2 + 2 + 10);
  second->nestedKey[1] = 43;
  EXPECT_EQ(both(), 2 + 2 + 10 + 10);
  // One branch alone counts it once too.
  beginComplexity(*chains);
  EXPECT_EQ(ancestorCount(*chains, *first, proved), 2 + 10);
}

// A puzzle of the 11+ list whose first nested step comes after a few
// million nodes: the rating stops there, and the step, a level-2
// contradiction, keeps the solution.
struct FirstNested {
  LogicContext* context;
  std::vector<std::string> lines;
  Step step;
};

void stopAtFirstNested(const Step& step, const LogicGrid& grid, void* data) {
  auto& first = *static_cast<FirstNested*>(data);
  if (step.level < 2) return;
  keepStepLine(step, grid, &first.lines);
  first.step = step;
  first.context->workLeft = 0;
}

TEST(TechniqueSteps, NestedChainsStepOnTheirInnerChains) {
  const std::string puzzle =
      "98.7..6..7..5..94.....6....47...3....2...5.....96..4..2...5..1..9.8..2....8.....6";
  auto context = std::make_unique<LogicContext>();
  FirstNested first{context.get(), {}, {}};
  int board[kCellCount];
  readBoard(puzzle, board);
  RatingResult result;
  ratePuzzle(*context, board, result, stopAtFirstNested, &first);
  ASSERT_EQ(first.lines.size(), 1u);
  const std::string& line = first.lines[0];
  EXPECT_EQ(line.rfind("11.0 dynamic contradiction forcing chain (+ forcing chains): r3c8=5 ->", 0),
            0u)
      << line;
  EXPECT_EQ(line.substr(line.size() - 12), ", so r3c8<>5") << line;
  // Level 2's inner steps are the static producer's forcing chains here,
  // each from its candidate assumed to that candidate's removal, where the
  // engine's runs would end in a clash anywhere.
  int chains = 0;
  for (int i = 0; i < first.step.nodeCount; ++i) {
    const ChainNode& node = first.step.nodes[i];
    if (node.innerCount < 2) continue;
    ++chains;
    const ChainNode& start = first.step.innerNodes[node.innerStart];
    const ChainNode& end = first.step.innerNodes[node.innerStart + node.innerCount - 1];
    EXPECT_TRUE(start.on && start.cell == node.cell && start.digit == node.digit) << i;
    EXPECT_TRUE(!end.on && end.cell == node.cell && end.digit == node.digit) << i;
  }
  EXPECT_EQ(chains, 3) << line;
  int solution[kCellCount];
  ASSERT_EQ(solvePuzzle(puzzle, solution), 1);
  for (int cell = 0; cell < kCellCount; ++cell)
    EXPECT_EQ(first.step.eliminations[cell] & digitBit(solution[cell]), 0) << cell;
}

// Two nested puzzles whose whole paths the grader's agree with: the first
// rests on its inner searches' loops and X-chains (level 2 runs the static
// producer's whole search), the second on counting an inner step once when
// both sides of a contradiction took it in (it rated 10.4 otherwise).
TEST(TechniqueSteps, NestedRatingsAgreeWithTheGrader) {
  struct NestedCase {
    const char* puzzle;
    int tenths;
    int steps;
  };
  const NestedCase cases[] = {
      {"........5..6..87..3......9....1.7.4...7...8...4...6....9..8...3..16..4..5...2....", 103,
       154},
      {"...1....87.......9..3.9.5....9.3...5.....23.....4..6....6.8..5.47...1...2........", 103,
       86},
  };
  auto context = std::make_unique<LogicContext>();
  for (const NestedCase& test : cases) {
    int board[kCellCount];
    readBoard(test.puzzle, board);
    RatingResult result;
    ratePuzzle(*context, board, result);
    EXPECT_TRUE(result.finished) << test.puzzle;
    EXPECT_EQ(ratingTenths(result.rating), test.tenths) << test.puzzle;
    EXPECT_EQ(result.hardestLevel, 2) << test.puzzle;
    EXPECT_EQ(result.stepCount, test.steps) << test.puzzle;
  }
}

// Each level's search takes up the runs of the level below where they
// stalled, and its own where it asks for them again; a puzzle of the 11+
// list that reaches level 3 goes the same way when every run is made anew.
TEST(TechniqueSteps, KeptRunsGiveTheStepsOfRunsMadeAnew) {
  const char* puzzle =
      "98.7..6....5.96........8.4.5.......4.9..7.3....2....1.1..3....2.3...78......6....";
  int board[kCellCount];
  readBoard(puzzle, board);
  std::vector<std::string> paths[2];
  RatingResult results[2];
  for (int remake = 0; remake < 2; ++remake) {
    auto context = std::make_unique<LogicContext>();
    context->remakeRuns = remake == 1;
    ratePuzzle(*context, board, results[remake], keepStepLine, &paths[remake]);
    EXPECT_TRUE(results[remake].finished);
    EXPECT_EQ(context->keptRuns.resumed > 0, remake == 0);
  }
  EXPECT_EQ(results[0].hardestLevel, 3);
  EXPECT_EQ(ratingTenths(results[0].rating), ratingTenths(results[1].rating));
  ASSERT_EQ(paths[0].size(), paths[1].size());
  for (std::size_t i = 0; i < paths[0].size(); ++i) EXPECT_EQ(paths[0][i], paths[1][i]) << i;
}

// The command-line programs take their contexts zeroed, without a
// constructor: such a context rates as a made one does, step for step,
// with the memos of where producers search again in use.
TEST(TechniqueSteps, AZeroedContextRatesAsAMadeOne) {
  const char* puzzles[] = {
      "083020090000800100029300008000098700070000060006740000300006980002005000010030540",
      "200050006010000090600801003007090600000703000900080002100000005060902010003060200",
      "98.7..6....5.96........8.4.5.......4.9..7.3....2....1.1..3....2.3...78......6...."};
  void* memory = std::calloc(1, sizeof(LogicContext));
  ASSERT_NE(memory, nullptr);
  LogicContext& zeroed = *static_cast<LogicContext*>(memory);
  auto made = std::make_unique<LogicContext>();
  for (const char* puzzle : puzzles) {
    int board[kCellCount];
    readBoard(puzzle, board);
    std::vector<std::string> paths[2];
    RatingResult results[2];
    ratePuzzle(*made, board, results[0], keepStepLine, &paths[0]);
    ratePuzzle(zeroed, board, results[1], keepStepLine, &paths[1]);
    EXPECT_TRUE(results[1].finished) << puzzle;
    ASSERT_EQ(paths[0].size(), paths[1].size()) << puzzle;
    for (std::size_t i = 0; i < paths[0].size(); ++i) EXPECT_EQ(paths[0][i], paths[1][i]) << i;
  }
  std::free(memory);
}

// With the store of kept runs full, the runs are made again and the
// search finds what it finds with room to spare.
TEST(TechniqueSteps, AFullStoreOfRunsKeepsNoMore) {
  int board[kCellCount];
  readBoard(kChainCases[3].puzzle, board);
  std::string lines[2];
  for (int full = 0; full < 2; ++full) {
    auto context = std::make_unique<LogicContext>();
    LogicGrid grid;
    initLogicGrid(grid, board);
    // The path up to the step before the level-1 one.
    context->workBound = kNoWorkBound;
    for (int step = 1; step < kChainCases[3].stepNumber; ++step) {
      ASSERT_TRUE(findNextStepOnGrid(*context, grid));
      applyStep(grid, context->step);
    }
    beginChains(context->chains, grid);
    beginKeptRuns(context->keptRuns, context->chains);
    if (full == 1) context->keptRuns.used = kKeptRunBytes - 8;
    context->workLeft = kRatingWorkBound;
    ASSERT_TRUE(findDynamicChains<1>(*context, grid, context->step));
    EXPECT_EQ(context->keptRuns.unkept > 0, full == 1);
    EXPECT_EQ(context->keptRuns.kept > 0, full == 0);
    char text[2048];
    formatStep(context->step, text, sizeof text);
    lines[full] = text;
  }
  EXPECT_EQ(lines[0].rfind("dynamic region forcing chain (+), 4 in row 6:", 0), 0u) << lines[0];
  EXPECT_EQ(lines[0], lines[1]);
}

// Positions written as pencil marks, for patterns the grader's paths never
// reach: a grave of bivalue cells, and two cells of a row and box that
// would be that grave without their 3 and their 4.
TEST(TechniqueSteps, GravesOnPencilMarks) {
  constexpr const char* kGrave =
      "+8 +9 34 +2 14 +7 +6 +5 13   +6 +2 +7 +5 18 +3 18 +9 +4   +1 45 35 +9 48 +6 38 +2 +7 "
      "+2 +3 +9 14 +6 +5 +7 14 +8   +5 +6 14 +8 +7 +9 23 14 23   +7 14 +8 14 +3 +2 +9 +6 +5 "
      "+3 +7 15 +6 25 +4 12 +8 +9   +4 +8 +2 +7 +9 +1 +5 +3 +6   +9 15 +6 +3 25 +8 +4 +7 12";
  auto context = std::make_unique<LogicContext>();
  LogicGrid& grid = context->grid;
  ASSERT_TRUE(readPencilMarks(kGrave, grid));
  EXPECT_FALSE(findBivalueUniversalGrave(*context, grid, context->step));
  // 5 is in the box only in the two cells, so one holds it and the other its grave digit.
  grid.candidates[19] = grid.candidates[20] = digitBit(3) | digitBit(4) | digitBit(5);
  ASSERT_TRUE(findBivalueUniversalGrave(*context, grid, context->step));
  char text[256];
  formatStep(context->step, text, sizeof text);
  EXPECT_STREQ(text,
               "bivalue universal grave type 4: 3,4 in r3c2 r3c3 removes 3 from r3c3, 4 from r3c2");
  EXPECT_EQ(ratingTenths(context->step.rating), 57);
}
