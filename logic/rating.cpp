#include "logic/rating.h"

#include <cassert>
#include <cstdio>

#include "logic/producers.h"
#include "logic/technique_names.h"
#include "logic/techniques.h"

// Each producer with the techniques it reports, which the table of
// techniques lists in the same order; the dynamic chains' producers report
// the same four at each level.
constexpr ProducerRow kProducers[] = {
    {findHiddenSingle, Technique::kHiddenSingle, Technique::kHiddenSingle,
     techniqueRating(Technique::kHiddenSingle), kOwnCells},
    {findDirectPointing, Technique::kDirectPointing, Technique::kDirectClaiming,
     techniqueRating(Technique::kDirectPointing), kOneDigit},
    {findDirectHiddenPair, Technique::kDirectHiddenPair, Technique::kDirectHiddenPair,
     techniqueRating(Technique::kDirectHiddenPair), kOwnCells},
    {findNakedSingle, Technique::kNakedSingle, Technique::kNakedSingle,
     techniqueRating(Technique::kNakedSingle)},
    {findDirectHiddenTriplet, Technique::kDirectHiddenTriplet, Technique::kDirectHiddenTriplet,
     techniqueRating(Technique::kDirectHiddenTriplet), kOwnCells},
    {findPointing, Technique::kPointing, Technique::kClaiming,
     techniqueRating(Technique::kPointing), kOneDigit},
    {findNakedPair, Technique::kNakedPair, Technique::kNakedPair,
     techniqueRating(Technique::kNakedPair), kOwnCells},
    {findXWing, Technique::kXWing, Technique::kXWing, techniqueRating(Technique::kXWing),
     kOneDigit},
    {findHiddenPair, Technique::kHiddenPair, Technique::kHiddenPair,
     techniqueRating(Technique::kHiddenPair), kOwnCells},
    {findNakedTriplet, Technique::kNakedTriplet, Technique::kNakedTriplet,
     techniqueRating(Technique::kNakedTriplet), kOwnCells},
    {findSwordfish, Technique::kSwordfish, Technique::kSwordfish,
     techniqueRating(Technique::kSwordfish), kOneDigit},
    {findHiddenTriplet, Technique::kHiddenTriplet, Technique::kHiddenTriplet,
     techniqueRating(Technique::kHiddenTriplet), kOwnCells},
    {findTurbotFish, Technique::kSkyscraper, Technique::kGroupedTurbotCrane,
     techniqueRating(Technique::kSkyscraper), kOneDigit},
    {findXYWing, Technique::kXYWing, Technique::kXYWing, techniqueRating(Technique::kXYWing),
     kOwnCells},
    {findXYZWing, Technique::kXYZWing, Technique::kXYZWing, techniqueRating(Technique::kXYZWing),
     kOwnCells},
    {findUniqueLoop, Technique::kUniqueRectangle, Technique::kUniqueLoop,
     techniqueRating(Technique::kUniqueRectangle)},
    {findNakedQuad, Technique::kNakedQuad, Technique::kNakedQuad,
     techniqueRating(Technique::kNakedQuad), kOwnCells},
    {findJellyfish, Technique::kJellyfish, Technique::kJellyfish,
     techniqueRating(Technique::kJellyfish), kOneDigit},
    {findHiddenQuad, Technique::kHiddenQuad, Technique::kHiddenQuad,
     techniqueRating(Technique::kHiddenQuad), kOwnCells},
    {findThreeStrongLinks, Technique::kThreeSkyscrapers, Technique::kGroupedThreeStrongLinks,
     techniqueRating(Technique::kThreeSkyscrapers), kOneDigit},
    {findWXYZWing, Technique::kWXYZWing, Technique::kWXYZWing,
     techniqueRating(Technique::kWXYZWing), kOwnCells},
    {findBivalueUniversalGrave, Technique::kBivalueUniversalGrave,
     Technique::kBivalueUniversalGrave, techniqueRating(Technique::kBivalueUniversalGrave)},
    {findVWXYZWing, Technique::kVWXYZWing, Technique::kVWXYZWing,
     techniqueRating(Technique::kVWXYZWing), kOwnCells},
    {findAlignedPairExclusion, Technique::kAlignedPairExclusion, Technique::kAlignedPairExclusion,
     techniqueRating(Technique::kAlignedPairExclusion)},
    {findChainsAndCycles, Technique::kGeneralizedXWing, Technique::kForcingChain,
     techniqueRating(Technique::kGeneralizedXWing)},
    {findAlignedTripletExclusion, Technique::kAlignedTripletExclusion,
     Technique::kAlignedTripletExclusion, techniqueRating(Technique::kAlignedTripletExclusion)},
    {findNishioChains, Technique::kNishioForcingChain, Technique::kNishioForcingChain,
     techniqueRating(Technique::kNishioForcingChain)},
    {findMultipleChains, Technique::kCellForcingChain, Technique::kRegionForcingChain,
     techniqueRating(Technique::kCellForcingChain)},
    {findDynamicChains<0>, kFirstDynamic, kLastDynamic, techniqueRating(kFirstDynamic) + 0.5 * 0},
    {findDynamicChains<1>, kFirstDynamic, kLastDynamic, techniqueRating(kFirstDynamic) + 0.5 * 1},
    {findDynamicChains<2>, kFirstDynamic, kLastDynamic, techniqueRating(kFirstDynamic) + 0.5 * 2},
    {findDynamicChains<3>, kFirstDynamic, kLastDynamic, techniqueRating(kFirstDynamic) + 0.5 * 3},
    {findDynamicChains<4>, kFirstDynamic, kLastDynamic, techniqueRating(kFirstDynamic) + 0.5 * 4},
    {findDynamicChains<5>, kFirstDynamic, kLastDynamic, techniqueRating(kFirstDynamic) + 0.5 * 4},
    {findDynamicChains<6>, kFirstDynamic, kLastDynamic, techniqueRating(kFirstDynamic) + 0.5 * 4},
    {findDynamicChains<7>, kFirstDynamic, kLastDynamic, techniqueRating(kFirstDynamic) + 0.5 * 4},
};
namespace {

// Every technique has its producer, and the producers come in the order of
// the techniques they report: the order the scale tries them in.
constexpr bool producersFollowTheTechniques() {
  if (kProducers[0].first != Technique(0)) return false;
  for (int i = 1; i < int(sizeof kProducers / sizeof kProducers[0]); ++i) {
    const ProducerRow& before = kProducers[i - 1];
    const ProducerRow& row = kProducers[i];
    const bool next = int(row.first) == int(before.last) + 1;
    const bool sameAgain = row.first == before.first && row.last == before.last;
    if (row.last < row.first || !(next || sameAgain)) return false;
  }
  return int(kProducers[sizeof kProducers / sizeof kProducers[0] - 1].last) ==
         int(Technique::kCount) - 1;
}
static_assert(producersFollowTheTechniques(), "a producer for every technique, in their order");

}  // namespace

namespace {

long long workBoundOf(const LogicContext& context) {
  return context.workBound > 0 ? context.workBound : kRatingWorkBound;
}

constexpr int kProducerCount = int(sizeof kProducers / sizeof kProducers[0]);
static_assert(kProducerCount <= kProducerSlots, "a memo for every producer");

void forgetProducerMemos(LogicContext& context) {
  for (DigitMemo& memo : context.producerMemos) memo.valid = false;
  context.unchangedDigits = 0;
  context.unchangedCells = {};
  context.cycles.xPassMemo.valid = false;
}

// Asks a producer whose patterns lie in one digit or in their own cells
// where it may find something, and remembers the grid when it finds nothing.
bool produceWhereChanged(LogicContext& context, const ProducerRow& producer, DigitMemo& memo) {
  const HousePositions& table = housePositionsOf(context.basics, context.grid);
  bool unchanged = false;
  if (producer.scope == kOneDigit) {
    context.unchangedDigits = unchangedDigits(memo, table.digitCells);
    unchanged = context.unchangedDigits == kAllCandidates;
  } else {
    context.unchangedCells = unchangedCells(memo, table.digitCells);
    unchanged = context.unchangedCells == kEveryCell;
  }
  const bool found = !unchanged && producer.produce(context, context.grid, context.step);
  context.unchangedDigits = 0;
  context.unchangedCells = {};
  rememberDigits(memo, found, table.digitCells);
  return found;
}

// The first step of the first producer that has one. A run whose work is
// spent stops in a producer whose steps rate floor at least, and so would
// the rest of the path: that is the rating the run has reached.
bool findFirstStep(LogicContext& context, double* floor) {
  for (int i = 0; i < kProducerCount; ++i) {
    const ProducerRow& producer = kProducers[i];
    const bool found = producer.scope != Scope::kWholeGrid
                           ? produceWhereChanged(context, producer, context.producerMemos[i])
                           : producer.produce(context, context.grid, context.step);
    if (found) return true;
    if (context.workLeft <= 0) {
      *floor = producer.floor;
      return false;
    }
  }
  return false;
}

// Rates from context.grid, as it stands.
void rateContextGrid(LogicContext& context, RatingResult& result, StepObserver observer,
                     void* observerData) {
  context.workLeft = workBoundOf(context);
  context.limit = RatingLimit::kNone;
  forgetProducerMemos(context);
  result =
      RatingResult{0.0, Technique::kHiddenSingle, 0, 0.0, 0.0, 0, true, RatingLimit::kNone, 0.0};
  while (!isSolved(context.grid)) {
    // A step that changes nothing would repeat for ever; no producer should
    // report one, and the run stops rather than trust it.
    double floor = 0.0;
    if (!findFirstStep(context, &floor) || !changesGrid(context.step, context.grid)) {
      result.finished = false;
      result.reached = floor > result.rating ? floor : result.rating;
      if (context.limit == RatingLimit::kNone)
        context.limit = context.workLeft <= 0 ? RatingLimit::kWorkBound : RatingLimit::kNoStep;
      result.limit = context.limit;
      return;
    }
    const Step& step = context.step;
    if (step.rating > result.rating) {
      result.rating = step.rating;
      result.hardest = step.technique;
      result.hardestLevel = step.level;
    }
    if (result.stepCount == 0) result.firstStepRating = result.rating;
    if (result.firstPlacementRating == 0.0 && step.placedCell != kNoCell)
      result.firstPlacementRating = result.rating;
    ++result.stepCount;
    if (observer != nullptr) observer(step, context.grid, observerData);
    assert(eliminatesCandidatesOnly(step, context.grid));
    applyStep(context.grid, step);
    result.reached = result.rating;
  }
}

}  // namespace

void ratePuzzle(LogicContext& context, const int board[kCellCount], RatingResult& result,
                StepObserver observer, void* observerData) {
  initLogicGrid(context.grid, board);
  rateContextGrid(context, result, observer, observerData);
}

void rateGrid(LogicContext& context, const LogicGrid& grid, RatingResult& result,
              StepObserver observer, void* observerData) {
  context.grid = grid;
  rateContextGrid(context, result, observer, observerData);
}

bool findNextStep(LogicContext& context, const int board[kCellCount]) {
  LogicGrid grid;
  initLogicGrid(grid, board);
  return findNextStepOnGrid(context, grid);
}

bool findNextStepOnGrid(LogicContext& context, const LogicGrid& grid) {
  context.grid = grid;
  context.workLeft = workBoundOf(context);
  context.limit = RatingLimit::kNone;
  forgetProducerMemos(context);
  if (isSolved(context.grid)) return false;
  double floor = 0.0;
  return findFirstStep(context, &floor) && changesGrid(context.step, context.grid);
}

const char* ratingLimitWords(RatingLimit limit) {
  constexpr const char* kWords[kRatingLimitCount] = {"none",
                                                     "no step",
                                                     "work bound",
                                                     "chain parents full",
                                                     "nested steps full",
                                                     "nested nodes full",
                                                     "nested parents full"};
  return kWords[int(limit)];
}

int ratingTenths(double rating) {
  return int((rating + 0.05) * 10.0);
}

void formatRatingFields(const RatingResult& result, char* text, int size) {
  const int tenths = ratingTenths(result.rating);
  const int length = std::snprintf(text, std::size_t(size), "%d.%d ", tenths / 10, tenths % 10);
  if (length < 0 || length >= size) return;
  writeTechniqueName(result.hardest, result.hardestLevel, text + length, size - length);
}
