// The techniques as the rater asks them, each reporting at most one step.
#pragma once

#include "logic/logic_context.h"
#include "logic/logic_grid.h"
#include "logic/step.h"

// Each finds the step its technique reports first on grid, writes it into
// step and returns true; false when the technique finds nothing there.
using Producer = bool (*)(LogicContext& context, const LogicGrid& grid, Step& step);

// singles.cpp
bool findHiddenSingle(LogicContext& context, const LogicGrid& grid, Step& step);
bool findDirectPointing(LogicContext& context, const LogicGrid& grid, Step& step);
bool findDirectHiddenPair(LogicContext& context, const LogicGrid& grid, Step& step);
bool findNakedSingle(LogicContext& context, const LogicGrid& grid, Step& step);
bool findDirectHiddenTriplet(LogicContext& context, const LogicGrid& grid, Step& step);
// intersections.cpp
bool findPointing(LogicContext& context, const LogicGrid& grid, Step& step);
// subsets.cpp
bool findNakedPair(LogicContext& context, const LogicGrid& grid, Step& step);
bool findHiddenPair(LogicContext& context, const LogicGrid& grid, Step& step);
bool findNakedTriplet(LogicContext& context, const LogicGrid& grid, Step& step);
bool findHiddenTriplet(LogicContext& context, const LogicGrid& grid, Step& step);
bool findNakedQuad(LogicContext& context, const LogicGrid& grid, Step& step);
bool findHiddenQuad(LogicContext& context, const LogicGrid& grid, Step& step);
// fish.cpp
bool findXWing(LogicContext& context, const LogicGrid& grid, Step& step);
bool findSwordfish(LogicContext& context, const LogicGrid& grid, Step& step);
bool findJellyfish(LogicContext& context, const LogicGrid& grid, Step& step);
// wings.cpp
bool findXYWing(LogicContext& context, const LogicGrid& grid, Step& step);
bool findXYZWing(LogicContext& context, const LogicGrid& grid, Step& step);
// exclusion.cpp
bool findAlignedPairExclusion(LogicContext& context, const LogicGrid& grid, Step& step);
bool findAlignedTripletExclusion(LogicContext& context, const LogicGrid& grid, Step& step);
// strong_links.cpp
bool findTurbotFish(LogicContext& context, const LogicGrid& grid, Step& step);
bool findThreeStrongLinks(LogicContext& context, const LogicGrid& grid, Step& step);
// als_wings.cpp
bool findWXYZWing(LogicContext& context, const LogicGrid& grid, Step& step);
bool findVWXYZWing(LogicContext& context, const LogicGrid& grid, Step& step);
// uniqueness.cpp
bool findUniqueLoop(LogicContext& context, const LogicGrid& grid, Step& step);
// bug.cpp
bool findBivalueUniversalGrave(LogicContext& context, const LogicGrid& grid, Step& step);
// cycles.cpp
bool findChainsAndCycles(LogicContext& context, const LogicGrid& grid, Step& step);
// chains.cpp and the files beside it
bool findNishioChains(LogicContext& context, const LogicGrid& grid, Step& step);
bool findMultipleChains(LogicContext& context, const LogicGrid& grid, Step& step);
// The dynamic forcing chains of a level: 0 plain, 1 plus, 2 nesting the
// static forcing chains, 3 the multiple chains too, and 4 to 7 (the four
// producers of the scale's level 4) a nested dynamic search of level 0 to 3.
bool findDynamicChainsOfLevel(int level, LogicContext& context, const LogicGrid& grid, Step& step);
template <int Level>
bool findDynamicChains(LogicContext& context, const LogicGrid& grid, Step& step) {
  return findDynamicChainsOfLevel(Level, context, grid, step);
}

constexpr Technique kFirstDynamic = Technique::kDynamicContradictionForcingChain;
constexpr Technique kLastDynamic = Technique::kDynamicRegionForcingChain;

// What a producer's patterns rest on. kOneDigit: a pattern and what it
// removes lie in one digit, and the producer passes over the digits
// context.unchangedDigits names. kOwnCells: a pattern rests on its cells'
// candidates alone (a set's, on its house's) and removes only from cells
// whose candidates can but shrink, so one whose cells hold what they held
// removes nothing new; the producer passes over patterns whose cells are
// all in context.unchangedCells.
enum class Scope : std::uint8_t { kWholeGrid, kOneDigit, kOwnCells };
constexpr Scope kOneDigit = Scope::kOneDigit;
constexpr Scope kOwnCells = Scope::kOwnCells;

// A producer and the techniques it reports, from first to last.
struct ProducerRow {
  Producer produce;
  Technique first;
  Technique last;
  // The least rating a step of this producer has: its first technique's,
  // and for the dynamic chains 0.5 more a level.
  double floor;
  // Where its patterns lie, so that the rater asks it again only where the
  // grid changed since it last found nothing.
  Scope scope = Scope::kWholeGrid;
};

// rating.cpp lists every producer in the order the rater tries them at
// each step, and checks that order against the techniques'.
