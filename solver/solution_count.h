// Counts the solutions of a board up to two, for vantric-solve --count.
#pragma once

#include "state/game_state.h"

// The count stops here: 2 stands for two or more solutions.
constexpr int kSolutionCountLimit = 2;

// How many solutions state.board has: 0, 1 or kSolutionCountLimit. The same
// search as runSolve's, over state's frame stack, goes on past the first
// solution; the run's own results (nodes, depth, solution) stay untouched.
int countSolutions(GameState& state);
