// Boards moved to another of their arrangements at random, for the tests
// that expect the same canonical form back.
#pragma once

#include <random>

#include "state/grid.h"

// A random order of bands, rows in each band, stacks and columns in each
// stack, a random transposition and a random relabelling of the digits.
void rearrange(const int board[kCellCount], int moved[kCellCount], std::mt19937& random);
