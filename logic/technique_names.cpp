#include "logic/technique_names.h"

#include <cstdio>

namespace {

struct TechniqueNames {
  const char* word;
  const char* words;
};

constexpr TechniqueNames kNames[] = {
    {"HiddenSingle", "hidden single"},
    {"DirectPointing", "direct pointing"},
    {"DirectClaiming", "direct claiming"},
    {"DirectHiddenPair", "direct hidden pair"},
    {"NakedSingle", "naked single"},
    {"DirectHiddenTriplet", "direct hidden triplet"},
    {"Pointing", "pointing"},
    {"Claiming", "claiming"},
    {"NakedPair", "naked pair"},
    {"XWing", "X-wing"},
    {"HiddenPair", "hidden pair"},
    {"NakedTriplet", "naked triplet"},
    {"Swordfish", "swordfish"},
    {"HiddenTriplet", "hidden triplet"},
    {"Skyscraper", "skyscraper"},
    {"TwoStringKite", "two-string kite"},
    {"TurbotCrane", "turbot crane"},
    {"GroupedSkyscraper", "grouped skyscraper"},
    {"GroupedTwoStringKite", "grouped two-string kite"},
    {"GroupedTurbotCrane", "grouped turbot crane"},
    {"XYWing", "XY-wing"},
    {"XYZWing", "XYZ-wing"},
    {"UniqueRectangle", "unique rectangle"},
    {"UniqueLoop", "unique loop"},
    {"NakedQuad", "naked quad"},
    {"Jellyfish", "jellyfish"},
    {"HiddenQuad", "hidden quad"},
    {"ThreeSkyscrapers", "three skyscrapers"},
    {"ThreeStringKite", "three-string kite"},
    {"ThreeStrongLinks", "three strong links"},
    {"GroupedThreeStrongLinks", "three strong links, grouped"},
    {"WXYZWing", "WXYZ-wing"},
    {"BivalueUniversalGrave", "bivalue universal grave"},
    {"VWXYZWing", "VWXYZ-wing"},
    {"AlignedPairExclusion", "aligned pair exclusion"},
    {"GeneralizedXWing", "generalized X-wing"},
    {"XCycle", "X-cycle"},
    {"YCycle", "Y-cycle"},
    {"BidirectionalCycle", "bidirectional cycle"},
    {"TurbotFish", "turbot fish"},
    {"ForcingXChain", "forcing X-chain"},
    {"ForcingChain", "forcing chain"},
    {"AlignedTripletExclusion", "aligned triplet exclusion"},
    {"NishioForcingChain", "Nishio forcing chain"},
    {"CellForcingChain", "cell forcing chain"},
    {"RegionForcingChain", "region forcing chain"},
    {"DynamicContradictionForcingChain", "dynamic contradiction forcing chain"},
    {"DynamicDoubleForcingChain", "dynamic double forcing chain"},
    {"DynamicCellForcingChain", "dynamic cell forcing chain"},
    {"DynamicRegionForcingChain", "dynamic region forcing chain"},
};
static_assert(sizeof kNames / sizeof kNames[0] == std::size_t(Technique::kCount));

// The word a dynamic chain gains at each level above the plain one.
constexpr const char* kLevelWords[] = {"", "Plus", "Nested2", "Nested3", "Nested4"};

}  // namespace

void writeTechniqueName(Technique technique, int level, char* text, int size) {
  const int clamped = level < 0 ? 0 : level > 4 ? 4 : level;
  std::snprintf(text, std::size_t(size), "%s%s", kNames[int(technique)].word, kLevelWords[clamped]);
}

const char* techniqueWords(Technique technique) {
  return kNames[int(technique)].words;
}
