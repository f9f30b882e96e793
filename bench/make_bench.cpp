// vantric-make's speed on one core: puzzles kept per second without a
// rating range, and with each of four.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "generator/puzzle_maker.h"
#include "model/tables.h"

namespace {

// Makes candidates from one seed until the puzzles wanted per iteration are
// kept.
void makePuzzles(benchmark::State& state, Symmetry symmetry, int minRating, int maxRating,
                 int wanted) {
  initTables();
  auto workspace = std::make_unique<MakerWorkspace>();
  prepareMakerWorkspace(*workspace);
  const bool rated = minRating > 0 || maxRating < kNoRatingLimit;
  const MakeRequest request{symmetry,  0,     kCellCount,         minRating,
                            maxRating, rated, Minimality::kOrbits};
  Candidate candidate;
  std::uint64_t index = 0;
  long long made = 0;
  for (auto _ : state) {
    for (int kept = 0; kept < wanted; ++index) {
      makeCandidate(*workspace, request, 1, index, candidate);
      kept += candidate.rejection == Rejection::kKept;
    }
    made += wanted;
  }
  state.counters["puzzles/s"] = benchmark::Counter(double(made), benchmark::Counter::kIsRate);
  state.counters["candidates/puzzle"] = double(index) / double(made);
}

}  // namespace

BENCHMARK_CAPTURE(makePuzzles, none, Symmetry::kNone, 0, kNoRatingLimit, 200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(makePuzzles, rotate180, Symmetry::kRotate180, 0, kNoRatingLimit, 200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(makePuzzles, rating_1_0_to_2_3, Symmetry::kRotate180, 10, 23, 50)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(makePuzzles, rating_2_5_to_4_5, Symmetry::kRotate180, 25, 45, 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(makePuzzles, rating_5_0_to_6_9, Symmetry::kRotate180, 50, 69, 10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(makePuzzles, rating_7_0_up, Symmetry::kRotate180, 70, kNoRatingLimit, 10)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
