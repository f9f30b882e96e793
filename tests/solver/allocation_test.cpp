// A solve run and the analysis allocate nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "model/analysis.h"
#include "model/builtin_puzzles.h"
#include "model/tables.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "state/game_state.h"
#include "tests/fake/fake_platform.h"
#include "tests/solver/solver_support.h"

namespace {

bool counting;
int allocations;

void* allocate(std::size_t size) {
  if (counting) ++allocations;
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace

void* operator new(std::size_t size) {
  return allocate(size);
}
void* operator new[](std::size_t size) {
  return allocate(size);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

TEST(Allocation, SolveAndAnalysisAllocateNothing) {
  resetGameState();
  resetFake();
  loadBuiltInPuzzleAt(0);
  initTables();
  game.pendingSolve = false;
  fake.counterStep = 100000;
  fake.pendingMessages = 1;

  counting = true;
  allocations = 0;
  startSolve();
  const bool firstFound = game.solutionFound;
  readCells(kLongPuzzle, game.board);
  startSolve();
  const int solutions = countSolutions(game);
  computeCandidates();
  computeCellColours();
  counting = false;

  EXPECT_TRUE(firstFound);
  EXPECT_TRUE(game.solutionFound);
  EXPECT_EQ(solutions, 1);
  EXPECT_GT(countCalls(PlatformCall::kInvalidateStatusLine), 0);
  EXPECT_EQ(allocations, 0);
}
