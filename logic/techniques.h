// Every technique the rater knows, one row each: its names, its rating on
// the scale, and the family of texts that words its steps.
#pragma once

#include <cstddef>

#include "logic/step.h"
#include "logic/step_text.h"

// How a family of techniques words a step; false for a step it cannot word.
using StepDescriber = bool (*)(const Step& step, StepText& out);

struct TechniqueRow {
  Technique technique;
  // One word for a result line, and a few lower-case words for an explanation.
  const char* word;
  const char* words;
  // The rating the scale gives the technique; a few give their variants
  // fixed ratings of their own, which follow it (a house's kind, a loop's
  // length, a grave's type). Modifiers for length or size are the producers'.
  double ratings[3];
  StepDescriber describe;
};

// In the order of Technique, which is the order the rater tries them in.
inline constexpr TechniqueRow kTechniques[] = {
    // 1.0 for the last empty cell of a house, else 1.2 in a box, 1.5 in a line.
    {Technique::kHiddenSingle, "HiddenSingle", "hidden single", {1.0, 1.2, 1.5}, describeBasicStep},
    {Technique::kDirectPointing, "DirectPointing", "direct pointing", {1.7}, describeBasicStep},
    {Technique::kDirectClaiming, "DirectClaiming", "direct claiming", {1.9}, describeBasicStep},
    {Technique::kDirectHiddenPair,
     "DirectHiddenPair",
     "direct hidden pair",
     {2.0},
     describeBasicStep},
    {Technique::kNakedSingle, "NakedSingle", "naked single", {2.3}, describeBasicStep},
    {Technique::kDirectHiddenTriplet,
     "DirectHiddenTriplet",
     "direct hidden triplet",
     {2.5},
     describeBasicStep},
    {Technique::kPointing, "Pointing", "pointing", {2.6}, describeBasicStep},
    {Technique::kClaiming, "Claiming", "claiming", {2.8}, describeBasicStep},
    {Technique::kNakedPair, "NakedPair", "naked pair", {3.0}, describeBasicStep},
    {Technique::kXWing, "XWing", "X-wing", {3.2}, describeBasicStep},
    {Technique::kHiddenPair, "HiddenPair", "hidden pair", {3.4}, describeBasicStep},
    {Technique::kNakedTriplet, "NakedTriplet", "naked triplet", {3.6}, describeBasicStep},
    {Technique::kSwordfish, "Swordfish", "swordfish", {3.8}, describeBasicStep},
    {Technique::kHiddenTriplet, "HiddenTriplet", "hidden triplet", {4.0}, describeBasicStep},
    {Technique::kSkyscraper, "Skyscraper", "skyscraper", {4.0}, describePatternStep},
    {Technique::kTwoStringKite, "TwoStringKite", "two-string kite", {4.1}, describePatternStep},
    {Technique::kTurbotCrane, "TurbotCrane", "turbot crane", {4.2}, describePatternStep},
    {Technique::kGroupedSkyscraper,
     "GroupedSkyscraper",
     "grouped skyscraper",
     {4.3},
     describePatternStep},
    {Technique::kGroupedTwoStringKite,
     "GroupedTwoStringKite",
     "grouped two-string kite",
     {4.3},
     describePatternStep},
    {Technique::kGroupedTurbotCrane,
     "GroupedTurbotCrane",
     "grouped turbot crane",
     {4.3},
     describePatternStep},
    {Technique::kXYWing, "XYWing", "XY-wing", {4.2}, describeBasicStep},
    {Technique::kXYZWing, "XYZWing", "XYZ-wing", {4.4}, describeBasicStep},
    {Technique::kUniqueRectangle,
     "UniqueRectangle",
     "unique rectangle",
     {4.5},
     describePatternStep},
    // A loop of 6 cells, of 8, of 10 or more.
    {Technique::kUniqueLoop, "UniqueLoop", "unique loop", {4.6, 4.7, 5.0}, describePatternStep},
    {Technique::kNakedQuad, "NakedQuad", "naked quad", {5.0}, describeBasicStep},
    {Technique::kJellyfish, "Jellyfish", "jellyfish", {5.2}, describeBasicStep},
    {Technique::kHiddenQuad, "HiddenQuad", "hidden quad", {5.4}, describeBasicStep},
    {Technique::kThreeSkyscrapers,
     "ThreeSkyscrapers",
     "three skyscrapers",
     {5.4},
     describePatternStep},
    {Technique::kThreeStringKite,
     "ThreeStringKite",
     "three-string kite",
     {5.6},
     describePatternStep},
    {Technique::kThreeStrongLinks,
     "ThreeStrongLinks",
     "three strong links",
     {5.5},
     describePatternStep},
    {Technique::kGroupedThreeStrongLinks,
     "GroupedThreeStrongLinks",
     "three strong links, grouped",
     {5.7},
     describePatternStep},
    {Technique::kWXYZWing, "WXYZWing", "WXYZ-wing", {5.5}, describePatternStep},
    // Type 1, and types 2 to 4.
    {Technique::kBivalueUniversalGrave,
     "BivalueUniversalGrave",
     "bivalue universal grave",
     {5.6, 5.7},
     describePatternStep},
    {Technique::kVWXYZWing, "VWXYZWing", "VWXYZ-wing", {6.2}, describePatternStep},
    {Technique::kAlignedPairExclusion,
     "AlignedPairExclusion",
     "aligned pair exclusion",
     {6.2},
     describeBasicStep},
    {Technique::kGeneralizedXWing,
     "GeneralizedXWing",
     "generalized X-wing",
     {6.5},
     describeCycleStep},
    {Technique::kXCycle, "XCycle", "X-cycle", {6.5}, describeCycleStep},
    {Technique::kYCycle, "YCycle", "Y-cycle", {6.5}, describeCycleStep},
    {Technique::kBidirectionalCycle,
     "BidirectionalCycle",
     "bidirectional cycle",
     {7.0},
     describeCycleStep},
    {Technique::kTurbotFish, "TurbotFish", "turbot fish", {6.6}, describeCycleStep},
    {Technique::kForcingXChain, "ForcingXChain", "forcing X-chain", {6.6}, describeCycleStep},
    {Technique::kForcingChain, "ForcingChain", "forcing chain", {7.0}, describeCycleStep},
    {Technique::kAlignedTripletExclusion,
     "AlignedTripletExclusion",
     "aligned triplet exclusion",
     {7.5},
     describeBasicStep},
    {Technique::kNishioForcingChain,
     "NishioForcingChain",
     "Nishio forcing chain",
     {7.5},
     describeChainStep},
    {Technique::kCellForcingChain,
     "CellForcingChain",
     "cell forcing chain",
     {8.0},
     describeChainStep},
    {Technique::kRegionForcingChain,
     "RegionForcingChain",
     "region forcing chain",
     {8.0},
     describeChainStep},
    // The dynamic chains gain 0.5 a level above the plain one.
    {Technique::kDynamicContradictionForcingChain,
     "DynamicContradictionForcingChain",
     "dynamic contradiction forcing chain",
     {8.5},
     describeChainStep},
    {Technique::kDynamicDoubleForcingChain,
     "DynamicDoubleForcingChain",
     "dynamic double forcing chain",
     {8.5},
     describeChainStep},
    {Technique::kDynamicCellForcingChain,
     "DynamicCellForcingChain",
     "dynamic cell forcing chain",
     {8.5},
     describeChainStep},
    {Technique::kDynamicRegionForcingChain,
     "DynamicRegionForcingChain",
     "dynamic region forcing chain",
     {8.5},
     describeChainStep},
};

constexpr bool everyTechniqueHasItsRow() {
  if (sizeof kTechniques / sizeof kTechniques[0] != std::size_t(Technique::kCount)) return false;
  for (int i = 0; i < int(Technique::kCount); ++i) {
    const TechniqueRow& row = kTechniques[i];
    if (row.technique != Technique(i) || row.describe == nullptr || row.ratings[0] <= 0.0)
      return false;
  }
  return true;
}
static_assert(everyTechniqueHasItsRow(),
              "one row per technique, in the enum's order, each with a rating and a describer");

constexpr const TechniqueRow& techniqueRow(Technique technique) {
  return kTechniques[int(technique)];
}
// The scale's rating of a technique, or of its variant-th fixed variant.
constexpr double techniqueRating(Technique technique, int variant = 0) {
  return techniqueRow(technique).ratings[variant];
}
