#include "logic/rating.h"

#include <cstdio>

#include "logic/producers.h"
#include "logic/technique_names.h"

const Producer kProducers[] = {
    findHiddenSingle,
    findDirectPointing,
    findDirectHiddenPair,
    findNakedSingle,
    findDirectHiddenTriplet,
    findPointing,
    findNakedPair,
    findXWing,
    findHiddenPair,
    findNakedTriplet,
    findSwordfish,
    findHiddenTriplet,
    findTurbotFish,
    findXYWing,
    findXYZWing,
    findUniqueLoop,
    findNakedQuad,
    findJellyfish,
    findHiddenQuad,
    findThreeStrongLinks,
    findWXYZWing,
    findBivalueUniversalGrave,
    findVWXYZWing,
    findAlignedPairExclusion,
    findChainsAndCycles,
    findAlignedTripletExclusion,
    findNishioChains,
    findMultipleChains,
    findDynamicChains<0>,
    findDynamicChains<1>,
    findDynamicChains<2>,
    findDynamicChains<3>,
    findDynamicChains<4>,
    findDynamicChains<5>,
    findDynamicChains<6>,
    findDynamicChains<7>,
};
const int kProducerCount = int(sizeof kProducers / sizeof kProducers[0]);

namespace {

bool findFirstStep(LogicContext& context) {
  for (const Producer produce : kProducers) {
    if (produce(context, context.grid, context.step)) return true;
    if (context.workLeft <= 0) return false;
  }
  return false;
}

}  // namespace

void ratePuzzle(LogicContext& context, const int board[kCellCount], RatingResult& result,
                StepObserver observer, void* observerData) {
  initLogicGrid(context.grid, board);
  context.workLeft = kRatingWorkBound;
  result = RatingResult{0.0, Technique::kHiddenSingle, 0, 0.0, 0.0, 0, true};
  while (!isSolved(context.grid)) {
    // A step that changes nothing would repeat for ever; no producer should
    // report one, and the run stops rather than trust it.
    if (!findFirstStep(context) || !changesGrid(context.step, context.grid)) {
      result.finished = false;
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
    applyStep(context.grid, step);
  }
}

bool findNextStep(LogicContext& context, const int board[kCellCount]) {
  initLogicGrid(context.grid, board);
  context.workLeft = kRatingWorkBound;
  if (isSolved(context.grid)) return false;
  return findFirstStep(context) && changesGrid(context.step, context.grid);
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
