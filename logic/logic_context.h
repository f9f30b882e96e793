// Everything one rating run works in: one per thread, owned by the caller.
#pragma once

#include <cstdint>

#include "logic/chain_workspace.h"
#include "logic/cycle_workspace.h"
#include "logic/digit_memo.h"
#include "logic/house_scan.h"
#include "logic/kept_runs.h"
#include "logic/logic_grid.h"
#include "logic/nested_workspace.h"
#include "logic/step.h"

// The work a rating may spend, in chain-engine node visits, before it is
// given up as unfinished: the same bound on every machine, so that a rating
// never depends on the speed or load of the machine. Some 20 million nodes
// take a second on one core of a 2020s x86-64 release build (a scan of the
// basic techniques inside a chain counts as 48); the most any puzzle of
// top1465.txt spends is 1.7 million, of se_rated_dev.txt 0.5 million. The
// nested chains need far more: of the first 200 puzzles of the 11+ list,
// 196 finish within 28 million and all within 64, and the grader's nested
// puzzles of forum_hardest_1106 need up to 225 million, about 12 seconds,
// so 256 million lets every one finish and stops a hopeless run within
// about 15 seconds.
constexpr long long kRatingWorkBound = 256'000'000;
// A bound no rating reaches: the rating runs until it is done.
constexpr long long kNoWorkBound = 0x7FFFFFFFFFFFFFFF;

// Why a rating stopped before the grid was full: no technique applied, the
// work bound was spent, or one of the chain engine's stores filled up, which
// would otherwise have dropped what the rating rests on.
enum class RatingLimit : std::uint8_t {
  kNone,
  kNoStep,
  kWorkBound,
  kChainParents,
  kNestedHints,
  kNestedNodes,
  kNestedParents,
};
constexpr int kRatingLimitCount = int(RatingLimit::kNestedParents) + 1;

// More than the rater has producers; rating.cpp checks that.
constexpr int kProducerSlots = 40;

struct LogicContext {
  LogicGrid grid;
  Step step;
  // What a rating may spend, 0 for kRatingWorkBound; the chain engine
  // spends workLeft, and when it runs out the run is unfinished.
  long long workBound;
  long long workLeft;
  // Set by the first limit the run reached, which also spends the work left.
  RatingLimit limit;
  ChainWorkspace chains;
  NestedWorkspace nested[kNestedDepth];
  CycleWorkspace cycles;
  BasicWorkspace basics;
  KeptRuns keptRuns;
  // Makes every run anew rather than take up a kept one: a check on them.
  bool remakeRuns;
  // Where a producer whose patterns lie in one digit or in their own cells
  // need not search, as the rater asks it with its memo: nowhere (zero, as
  // a zeroed context starts) at any other time.
  std::uint16_t unchangedDigits;
  CellSet unchangedCells;
  // Each such producer's, by its place in the rater's list.
  DigitMemo producerMemos[kProducerSlots];
};

// "work bound", "no step" and so on, as --stats counts them.
const char* ratingLimitWords(RatingLimit limit);

// A store of the run is full: the rating ends unfinished, saying why,
// rather than go on without what did not fit.
inline void reachLimit(LogicContext& context, RatingLimit limit) {
  if (context.limit == RatingLimit::kNone) context.limit = limit;
  context.workLeft = 0;
}
