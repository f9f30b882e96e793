#include "logic/kept_runs.h"

#include <cassert>
#include <cstring>

namespace {

struct KeptHeader {
  std::uint16_t onCount;
  std::uint16_t offCount;
  std::uint16_t clashNode;
  std::uint16_t clashStart;
  std::uint8_t clashCount;
  bool clash;
  bool stalledEmpty;
  std::int32_t parentsUsed;
  std::int32_t nestedCount;
  std::int32_t nestedPathsUsed;
};

// The bytes a run takes in the store, kept 8-aligned.
std::size_t keptSize(const ChainRun& run) {
  const std::size_t nodes = std::size_t(run.onCount + run.offCount);
  const std::size_t steps = std::size_t(run.nestedCount);
  const std::size_t size =
      // Each node, its parents' start and its nested step, and its parent count.
      sizeof(KeptHeader) + nodes * (3 * sizeof(std::uint16_t) + 1) +
      std::size_t(run.parentsUsed) * sizeof(std::uint16_t) +
      steps * (sizeof(int) + sizeof(std::uint64_t) + 2 * sizeof(std::uint16_t)) +
      std::size_t(run.nestedPathsUsed) * sizeof(std::uint16_t);
  return (size + 7) & ~std::size_t(7);
}

struct Writer {
  unsigned char* at;
  void move(const void* data, std::size_t size) {
    std::memcpy(at, data, size);
    at += size;
  }
};

struct Reader {
  const unsigned char* at;
  void move(void* data, std::size_t size) {
    std::memcpy(data, at, size);
    at += size;
  }
};

// Moves a run's nodes, their parents and its nested steps into the store
// or out of it, one way for both: Run is const when the run is kept, and
// its counts are set before it is read back.
template <typename Run, typename Io>
void moveRunBody(Run& run, Io& io) {
  io.move(run.onNodes, sizeof run.onNodes[0] * std::size_t(run.onCount));
  io.move(run.offNodes, sizeof run.offNodes[0] * std::size_t(run.offCount));
  for (int side = 0; side < 2; ++side) {
    const std::uint16_t* nodes = side == 0 ? run.onNodes : run.offNodes;
    const int count = side == 0 ? run.onCount : run.offCount;
    for (int i = 0; i < count; ++i) {
      io.move(&run.parentStart[nodes[i]], sizeof run.parentStart[0]);
      io.move(&run.parentCount[nodes[i]], sizeof run.parentCount[0]);
      io.move(&run.nestedHint[nodes[i]], sizeof run.nestedHint[0]);
    }
  }
  io.move(run.parents, sizeof run.parents[0] * std::size_t(run.parentsUsed));
  const std::size_t steps = std::size_t(run.nestedCount);
  io.move(run.nestedWeight + 1, sizeof run.nestedWeight[0] * steps);
  io.move(run.nestedKey + 1, sizeof run.nestedKey[0] * steps);
  io.move(run.nestedPathStart + 1, sizeof run.nestedPathStart[0] * steps);
  io.move(run.nestedPathCount + 1, sizeof run.nestedPathCount[0] * steps);
  io.move(run.nestedPaths, sizeof run.nestedPaths[0] * std::size_t(run.nestedPathsUsed));
}

}  // namespace

void beginKeptRuns(KeptRuns& kept, const ChainWorkspace& chains) {
  // While nothing is kept, no run is listed either.
  if (std::memcmp(kept.source, chains.source, sizeof kept.source) == 0) return;
  std::memcpy(kept.source, chains.source, sizeof kept.source);
  if (kept.used > 0) std::memset(kept.at, 0, sizeof kept.at);
  kept.used = 0;
}

bool hasKeptRun(const KeptRuns& kept, int start, int level) {
  return kept.at[level][start] != 0;
}

void keepRun(KeptRuns& kept, const ChainRun& run, int level) {
  assert(level >= 0 && level < kDynamicLevels && !run.aborted);
  const std::size_t size = keptSize(run);
  if (kept.used + size > kKeptRunBytes) {
    ++kept.unkept;
    return;
  }
  ++kept.kept;
  kept.at[level][run.start] = std::uint32_t(kept.used + 1);
  Writer out{kept.store + kept.used};
  const KeptHeader header = {.onCount = std::uint16_t(run.onCount),
                             .offCount = std::uint16_t(run.offCount),
                             .clashNode = run.clashNode,
                             .clashStart = run.clashStart,
                             .clashCount = run.clashCount,
                             .clash = run.clash,
                             .stalledEmpty = run.stalledEmpty,
                             .parentsUsed = run.parentsUsed,
                             .nestedCount = run.nestedCount,
                             .nestedPathsUsed = run.nestedPathsUsed};
  out.move(&header, sizeof header);
  moveRunBody(run, out);
  assert(out.at <= kept.store + kept.used + size);
  kept.used += size;
  if (kept.used > kept.peak) kept.peak = kept.used;
}

void restoreRun(const KeptRuns& kept, ChainRun& run, int start, int level) {
  assert(hasKeptRun(kept, start, level));
  for (int i = 0; i < run.onCount; ++i) run.reached[run.onNodes[i]] = 0;
  for (int i = 0; i < run.offCount; ++i) run.reached[run.offNodes[i]] = 0;
  Reader in{kept.store + kept.at[level][start] - 1};
  KeptHeader header;
  in.move(&header, sizeof header);
  run.start = std::uint16_t(start);
  run.onCount = run.onHead = header.onCount;
  run.offCount = run.offHead = header.offCount;
  run.clashNode = header.clashNode;
  run.clashStart = header.clashStart;
  run.clashCount = header.clashCount;
  run.clash = header.clash;
  run.stalledEmpty = header.stalledEmpty;
  run.aborted = false;
  run.parentsFull = false;
  run.parentsUsed = header.parentsUsed;
  run.nestedCount = header.nestedCount;
  run.nestedPathsUsed = header.nestedPathsUsed;
  moveRunBody(run, in);
  for (int i = 0; i < run.onCount; ++i) run.reached[run.onNodes[i]] = 1;
  for (int i = 0; i < run.offCount; ++i) run.reached[run.offNodes[i]] = 1;
}
