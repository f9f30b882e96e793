// The passes of the search for forcing chains and cycles: one digit's links,
// bivalue cells' links (loops only, from bivalue cells), and both. The
// static producer runs them, and the nested levels' inner rule as well.
#pragma once

#include "logic/chain_kind.h"
#include "logic/techniques.h"

struct ChainPass {
  bool xLinks;
  bool yLinks;
  bool bivalueStartsOnly;
  bool forcingChains;
  double cycleBase;
  double chainBase;
  // The scale's tie-break between equal ratings and lengths.
  ChainKind kind;
};

inline constexpr ChainPass kChainPasses[] = {
    {.xLinks = true,
     .yLinks = false,
     .bivalueStartsOnly = false,
     .forcingChains = true,
     .cycleBase = techniqueRating(Technique::kXCycle),
     .chainBase = techniqueRating(Technique::kForcingXChain),
     .kind = ChainKind::kXLinks},
    {.xLinks = false,
     .yLinks = true,
     .bivalueStartsOnly = true,
     .forcingChains = false,
     .cycleBase = techniqueRating(Technique::kYCycle),
     .chainBase = 0.0,
     .kind = ChainKind::kYLinks},
    {.xLinks = true,
     .yLinks = true,
     .bivalueStartsOnly = false,
     .forcingChains = true,
     .cycleBase = techniqueRating(Technique::kBidirectionalCycle),
     .chainBase = techniqueRating(Technique::kForcingChain),
     .kind = ChainKind::kForcing},
};
