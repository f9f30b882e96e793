// The canonical form's speed on one core: forms a second over the 17-clue
// list, the hardest list and solution grids the maker draws.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "generator/canonical_form.h"
#include "generator/grid_search.h"
#include "model/tables.h"

namespace {

using Board = std::array<int, kCellCount>;

std::vector<Board> readList(const char* name) {
  std::vector<Board> boards;
  const std::string path = std::string(VANTRIC_DATA_DIR) + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) return boards;
  char line[256];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    Board board{};
    for (std::size_t c = 0; c < board.size() && line[c] != '\0'; ++c)
      board[c] = line[c] >= '1' && line[c] <= '9' ? line[c] - '0' : 0;
    boards.push_back(board);
  }
  std::fclose(file);
  return boards;
}

// Grids of the maker's own drawing, the same on every run.
std::vector<Board> drawnGrids(int count) {
  initTables();
  auto frames = std::make_unique<SearchFrames>();
  Random random{2026};
  std::vector<Board> grids(static_cast<std::size_t>(count));
  for (Board& grid : grids) makeSolvedGrid(*frames, random, grid.data());
  return grids;
}

void formsOf(benchmark::State& state, const std::vector<Board>& boards) {
  if (boards.empty()) {
    state.SkipWithError("puzzle list missing");
    for (auto _ : state) {
    }
    return;
  }
  auto workspace = std::make_unique<CanonicalWorkspace>();
  int form[kCellCount];
  long long forms = 0;
  for (auto _ : state) {
    for (const Board& board : boards) {
      findCanonicalForm(*workspace, board.data(), form);
      benchmark::DoNotOptimize(form);
    }
    forms += static_cast<long long>(boards.size());
  }
  state.counters["forms/s"] = benchmark::Counter(double(forms), benchmark::Counter::kIsRate);
}

void seventeenClues(benchmark::State& state) {
  static const std::vector<Board> boards = readList("17clue.txt");
  formsOf(state, boards);
}
BENCHMARK(seventeenClues)->Unit(benchmark::kMillisecond);

void top1465(benchmark::State& state) {
  static const std::vector<Board> boards = readList("top1465.txt");
  formsOf(state, boards);
}
BENCHMARK(top1465)->Unit(benchmark::kMillisecond);

void solutionGrids(benchmark::State& state) {
  static const std::vector<Board> grids = drawnGrids(10000);
  formsOf(state, grids);
}
BENCHMARK(solutionGrids)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
