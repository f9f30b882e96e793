// The rater's time per puzzle over the rated lists and the hardest list: the
// median, the 99th percentile and the largest, in processor time of one core.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "logic/rating.h"

#if defined(__unix__)
#include <time.h>
#endif

namespace {

// The calling thread's processor time in milliseconds where the system
// keeps one, so that a loaded machine does not inflate the figures; wall
// time elsewhere.
double threadMilliseconds() {
#if defined(__unix__)
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
#else
  return std::chrono::duration<double, std::milli>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
#endif
}

using Board = std::array<int, kCellCount>;

// The first run of 81 cell characters on each line ('0' or '.' empty), at
// most limit lines.
std::vector<Board> readList(const char* name, std::size_t limit) {
  std::vector<Board> boards;
  const std::string path = std::string(VANTRIC_DATA_DIR) + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) return boards;
  char line[1024];
  while (boards.size() < limit && std::fgets(line, sizeof line, file) != nullptr) {
    int run = 0;
    for (const char* p = line;; ++p) {
      const bool cell = (*p >= '0' && *p <= '9') || *p == '.';
      if (cell) {
        ++run;
        continue;
      }
      if (run == kCellCount) {
        Board board{};
        for (int c = 0; c < kCellCount; ++c) {
          const char ch = p[c - kCellCount];
          board[std::size_t(c)] = ch >= '1' && ch <= '9' ? ch - '0' : 0;
        }
        boards.push_back(board);
        break;
      }
      if (*p == '\0') break;
      run = 0;
    }
  }
  std::fclose(file);
  return boards;
}

double percentile(std::vector<double> sorted, double share) {
  if (sorted.empty()) return 0.0;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t index = std::size_t(share * double(sorted.size() - 1) + 0.5);
  return sorted[index];
}

// Rates every puzzle of a list once per iteration, each timed on its own,
// each rating bounded by workBound chain nodes (0 for the default).
void rateList(benchmark::State& state, const char* name, std::size_t limit, long long workBound) {
  const std::vector<Board> boards = readList(name, limit);
  if (boards.empty()) {
    state.SkipWithError("the puzzle list cannot be read");
    return;
  }
  auto context = std::make_unique<LogicContext>();
  context->workBound = workBound;
  const long long bound = workBound > 0 ? workBound : kRatingWorkBound;
  // With VANTRIC_BENCH_PUZZLES set, a line a puzzle on standard error.
  const bool eachPuzzle = std::getenv("VANTRIC_BENCH_PUZZLES") != nullptr;
  std::vector<double> milliseconds;
  std::vector<double> works;
  // Time against work: how far the work bound is from a bound of time.
  double slowestPerWork = 0.0;
  double total = 0.0;
  long long unfinished = 0;
  for (auto _ : state) {
    milliseconds.clear();
    works.clear();
    for (std::size_t i = 0; i < boards.size(); ++i) {
      RatingResult result;
      const double start = threadMilliseconds();
      ratePuzzle(*context, boards[i].data(), result);
      const double spent = threadMilliseconds() - start;
      const double work = double(bound - (context->workLeft > 0 ? context->workLeft : 0));
      milliseconds.push_back(spent);
      works.push_back(work);
      total += spent;
      unfinished += result.finished ? 0 : 1;
      if (work >= 1e6 && spent * 1e6 / work > slowestPerWork) slowestPerWork = spent * 1e6 / work;
      if (eachPuzzle)
        std::fprintf(stderr, "%zu %.1f ms %.0f work %s\n", i + 1, spent, work,
                     result.finished ? "finished" : "unfinished");
      benchmark::DoNotOptimize(result);
    }
  }
  const double rated = double(boards.size()) * double(state.iterations());
  state.counters["puzzles"] = double(boards.size());
  state.counters["mean_ms"] = total / rated;
  state.counters["median_ms"] = percentile(milliseconds, 0.5);
  state.counters["p99_ms"] = percentile(milliseconds, 0.99);
  state.counters["max_ms"] = percentile(milliseconds, 1.0);
  state.counters["unfinished"] = double(unfinished) / double(state.iterations());
  state.counters["median_Mwork"] = percentile(works, 0.5) / 1e6;
  state.counters["max_ms_per_Mwork"] = slowestPerWork;
  state.counters["kept_runs_MB"] = double(context->keptRuns.peak) / double(1 << 20);
}

}  // namespace

BENCHMARK_CAPTURE(rateList, dev, "rated/se_rated_dev.txt", 1600, 0)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(rateList, top1465, "top1465.txt", 1465, 0)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(rateList, clue17_sample, "rated/se_rated_17clue_sample.txt", 614, 0)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(rateList, hardest_11plus, "forum_hardest_1905_11plus_sample.txt", 200, 0)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
// The grader's nested paths: 37 puzzles of forum_hardest_1106.txt rated
// 10.1 to 11.8.
BENCHMARK_CAPTURE(rateList, nested, "rated/se_rated_nested.txt", 37, 0)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
// The hardest list with smaller bounds, which leave a few unfinished:
// run with --benchmark_filter=bound.
BENCHMARK_CAPTURE(rateList, hardest_11plus_bound_28M, "forum_hardest_1905_11plus_sample.txt", 200,
                  28'000'000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(rateList, hardest_11plus_bound_64M, "forum_hardest_1905_11plus_sample.txt", 200,
                  64'000'000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

BENCHMARK_MAIN();
