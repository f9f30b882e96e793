// Benchmarks of the solver over the puzzle lists, and of the position analysis.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/analysis.h"
#include "model/builtin_puzzles.h"
#include "model/tables.h"
#include "solver/search.h"
#include "state/game_state.h"

namespace {

using Board = std::array<int, kCellCount>;

Board readBoard(const char* text) {
  Board board{};
  int count = 0;
  for (const char* p = text; *p != '\0' && count < kCellCount; ++p) {
    if (*p >= '1' && *p <= '9')
      board[std::size_t(count++)] = *p - '0';
    else if (*p == '.' || *p == '*' || *p == '0')
      board[std::size_t(count++)] = 0;
  }
  return board;
}

void setUp() {
  resetGameState();
  initTables();
  game.pendingSolve = false;
}

// Solves every board once per iteration; reports the time per node and the
// puzzles per second.
void solveAll(benchmark::State& state, const std::vector<Board>& boards) {
  setUp();
  long long nodes = 0;
  long long puzzles = 0;
  for (auto _ : state) {
    for (const Board& board : boards) {
      for (int c = 0; c < kCellCount; ++c) game.board[c] = board[std::size_t(c)];
      runSolve();
      nodes += game.nodeCount;
    }
    puzzles += static_cast<long long>(boards.size());
  }
  // Shown with an SI prefix: "s/node=250n" is 250 ns per node.
  state.counters["s/node"] =
      benchmark::Counter(double(nodes), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["puzzles/s"] = benchmark::Counter(double(puzzles), benchmark::Counter::kIsRate);
  state.counters["nodes/puzzle"] =
      benchmark::Counter(double(nodes) / double(puzzles > 0 ? puzzles : 1));
}

void builtInPuzzle(benchmark::State& state) {
  solveAll(state, {readBoard(kBuiltInPuzzles[state.range(0)])});
}
BENCHMARK(builtInPuzzle)->DenseRange(0, kBuiltInPuzzleCount - 1);

void emptyBoard(benchmark::State& state) {
  solveAll(state, {Board{}});
}
BENCHMARK(emptyBoard);

std::string dataDirectory() {
  const char* override = std::getenv("VANTRIC_DATA_DIR");
  return override != nullptr ? override : VANTRIC_DATA_DIR;
}

void puzzleList(benchmark::State& state, const char* name) {
  const std::string path = dataDirectory() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) {
    state.SkipWithError(("puzzle list missing: " + path).c_str());
    for (auto _ : state) {
    }
    return;
  }
  std::vector<Board> boards;
  char line[512];
  while (std::fgets(line, sizeof line, file) != nullptr)
    if (line[0] != '#' && line[0] != '\n') boards.push_back(readBoard(line));
  std::fclose(file);
  solveAll(state, boards);
}
BENCHMARK_CAPTURE(puzzleList, 17clue, "17clue.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(puzzleList, top1465, "top1465.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(puzzleList, forum_hardest_1106, "forum_hardest_1106.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(puzzleList, forum_hardest_1905_11plus, "forum_hardest_1905_11plus_sample.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(puzzleList, serg_benchmark_multi, "serg_benchmark_multi.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(puzzleList, derived_nosolution, "derived_17clue_nosolution.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(puzzleList, derived_16clue_multi, "derived_17clue_16clue_multi.txt")
    ->Unit(benchmark::kMillisecond);

// One analysis of the live position: candidates, then colours.
void analysis(benchmark::State& state) {
  setUp();
  loadBuiltInPuzzleAt(int(state.range(0)));
  initTables();
  for (auto _ : state) {
    computeCandidates();
    computeCellColours();
    benchmark::DoNotOptimize(game.cellColour);
  }
}
BENCHMARK(analysis)->Arg(0)->Arg(3);

}  // namespace

BENCHMARK_MAIN();
