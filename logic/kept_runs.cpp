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
  void put(const void* data, std::size_t size) {
    std::memcpy(at, data, size);
    at += size;
  }
};

struct Reader {
  const unsigned char* at;
  void get(void* data, std::size_t size) {
    std::memcpy(data, at, size);
    at += size;
  }
};

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
  out.put(&header, sizeof header);
  out.put(run.onNodes, sizeof run.onNodes[0] * std::size_t(run.onCount));
  out.put(run.offNodes, sizeof run.offNodes[0] * std::size_t(run.offCount));
  for (int side = 0; side < 2; ++side) {
    const std::uint16_t* nodes = side == 0 ? run.onNodes : run.offNodes;
    const int count = side == 0 ? run.onCount : run.offCount;
    for (int i = 0; i < count; ++i) {
      out.put(&run.parentStart[nodes[i]], sizeof run.parentStart[0]);
      out.put(&run.parentCount[nodes[i]], sizeof run.parentCount[0]);
      out.put(&run.nestedHint[nodes[i]], sizeof run.nestedHint[0]);
    }
  }
  out.put(run.parents, sizeof run.parents[0] * std::size_t(run.parentsUsed));
  const std::size_t steps = std::size_t(run.nestedCount);
  out.put(run.nestedWeight + 1, sizeof run.nestedWeight[0] * steps);
  out.put(run.nestedKey + 1, sizeof run.nestedKey[0] * steps);
  out.put(run.nestedPathStart + 1, sizeof run.nestedPathStart[0] * steps);
  out.put(run.nestedPathCount + 1, sizeof run.nestedPathCount[0] * steps);
  out.put(run.nestedPaths, sizeof run.nestedPaths[0] * std::size_t(run.nestedPathsUsed));
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
  in.get(&header, sizeof header);
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
  in.get(run.onNodes, sizeof run.onNodes[0] * std::size_t(run.onCount));
  in.get(run.offNodes, sizeof run.offNodes[0] * std::size_t(run.offCount));
  for (int side = 0; side < 2; ++side) {
    const std::uint16_t* nodes = side == 0 ? run.onNodes : run.offNodes;
    const int count = side == 0 ? run.onCount : run.offCount;
    for (int i = 0; i < count; ++i) {
      run.reached[nodes[i]] = 1;
      in.get(&run.parentStart[nodes[i]], sizeof run.parentStart[0]);
      in.get(&run.parentCount[nodes[i]], sizeof run.parentCount[0]);
      in.get(&run.nestedHint[nodes[i]], sizeof run.nestedHint[0]);
    }
  }
  in.get(run.parents, sizeof run.parents[0] * std::size_t(run.parentsUsed));
  const std::size_t steps = std::size_t(run.nestedCount);
  in.get(run.nestedWeight + 1, sizeof run.nestedWeight[0] * steps);
  in.get(run.nestedKey + 1, sizeof run.nestedKey[0] * steps);
  in.get(run.nestedPathStart + 1, sizeof run.nestedPathStart[0] * steps);
  in.get(run.nestedPathCount + 1, sizeof run.nestedPathCount[0] * steps);
  in.get(run.nestedPaths, sizeof run.nestedPaths[0] * std::size_t(run.nestedPathsUsed));
}
