// Everything one rating run works in: one per thread, owned by the caller.
#pragma once

#include "logic/chain_workspace.h"
#include "logic/cycle_workspace.h"
#include "logic/logic_grid.h"
#include "logic/step.h"

// The work a rating may spend, in chain-engine node visits, before it is
// given up as unfinished: the same bound on every machine, so that a rating
// never depends on the speed or load of the machine.
constexpr long long kRatingWorkBound = 400'000'000;

struct LogicContext {
  LogicGrid grid;
  Step step;
  // Spent by the chain engine; when it runs out the run is unfinished.
  long long workLeft;
  ChainWorkspace chains;
  CycleWorkspace cycles;
};
