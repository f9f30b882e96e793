// The outer dynamic runs kept while the producers of one grid run: each
// level's search makes the runs of the level below again and goes on past
// their last stall, so a kept run is taken up where it stopped instead.
// A run that does not fit is made again: what is kept never changes a step.
#pragma once

#include <cstddef>
#include <cstdint>

#include "logic/chain_workspace.h"

// The dynamic levels: 0 plain, 1 plus, 2 and 3 nesting the static searches,
// 4 to 7 a nested dynamic search.
constexpr int kDynamicLevels = 8;
// Room for the runs of the hardest grids: the most any grid of the 11+
// list or of the grader's nested paths keeps is 0.4 MB.
constexpr std::size_t kKeptRunBytes = std::size_t(2) << 20;

struct KeptRuns {
  // The grid the runs were made on.
  std::uint16_t source[kCellCount];
  // Where each level's run from each node starts in the store, plus one; 0
  // for none.
  std::uint32_t at[kDynamicLevels][kNodeSlots];
  std::size_t used;
  // The most the store held, and the runs taken up, kept and left out for
  // want of room, for the benchmarks.
  std::size_t peak;
  long long resumed;
  long long kept;
  long long unkept;
  alignas(8) unsigned char store[kKeptRunBytes];
};

// Forgets every run unless they were made on the grid of chains.
void beginKeptRuns(KeptRuns& kept, const ChainWorkspace& chains);
// Keeps run, finished at level.
void keepRun(KeptRuns& kept, const ChainRun& run, int level);
bool hasKeptRun(const KeptRuns& kept, int start, int level);
// Makes run the one kept for start at level, as it stood when it ended;
// the working grid of chains is left as the source.
void restoreRun(const KeptRuns& kept, ChainRun& run, int start, int level);
