// The worker module's entry points: the panel's requests and a solver
// benchmark, over buffers the worker's script reads and writes.
#include <cstdint>

#include "solver/search.h"
#include "ui/web/panel.h"

#define VANTRIC_WORKER_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

PanelWorkspace workspace;
PanelAnswer answer;

// A request's position: the givens, then the board, 81 digits each (0 for
// empty); for the benchmark, up to kBenchPuzzles puzzles of 81 digits.
constexpr int kBenchPuzzles = 2048;
int input[kBenchPuzzles * kCellCount];

bool prepared = false;

void prepare() {
  if (prepared) return;
  preparePanel(workspace);
  prepared = true;
}

const int* givens() {
  return input;
}

const int* board() {
  return input + kCellCount;
}

}  // namespace

VANTRIC_WORKER_EXPORT(panelInput) int* panelInput() {
  return input;
}

VANTRIC_WORKER_EXPORT(panelInputSize) int panelInputSize() {
  return int(sizeof input / sizeof input[0]);
}

VANTRIC_WORKER_EXPORT(panelText) const char* panelText() {
  return answer.text;
}

VANTRIC_WORKER_EXPORT(panelMarks) const PanelMark* panelMarks() {
  return answer.marks;
}

VANTRIC_WORKER_EXPORT(panelPuzzle) const char* panelPuzzle() {
  return answer.puzzle;
}

VANTRIC_WORKER_EXPORT(panelDifficultyCount) int panelDifficultyCount() {
  return kDifficultyCount;
}

VANTRIC_WORKER_EXPORT(panelDifficultyName) const char* panelDifficultyName(int index) {
  return kDifficulties[index].name;
}

VANTRIC_WORKER_EXPORT(panelDifficultyMin) int panelDifficultyMin(int index) {
  return kDifficulties[index].minRating;
}

VANTRIC_WORKER_EXPORT(panelDifficultyMax) int panelDifficultyMax(int index) {
  return kDifficulties[index].maxRating;
}

VANTRIC_WORKER_EXPORT(panelHint) void panelHint() {
  prepare();
  writeHint(workspace, givens(), board(), answer);
}

VANTRIC_WORKER_EXPORT(panelExplain) void panelExplain() {
  prepare();
  writeExplanation(workspace, givens(), board(), answer);
}

VANTRIC_WORKER_EXPORT(panelRate) void panelRate() {
  prepare();
  writeRating(workspace, givens(), answer);
}

VANTRIC_WORKER_EXPORT(panelMake)
void panelMake(int difficulty, std::uint32_t seedHigh, std::uint32_t seedLow) {
  prepare();
  makePanelPuzzle(workspace, difficulty, std::uint64_t(seedHigh) << 32 | seedLow, answer);
}

// Solves the first count puzzles of the input; the search nodes they took.
VANTRIC_WORKER_EXPORT(benchSolve) double benchSolve(int count) {
  if (count > kBenchPuzzles) count = kBenchPuzzles;
  GameState& state = workspace.solver;
  double nodes = 0;
  for (int p = 0; p < count; ++p) {
    for (CellIndex c = 0; c < kCellCount; ++c) state.board[c] = input[p * kCellCount + c];
    runSolve(state);
    nodes += state.nodeCount;
  }
  return nodes;
}
