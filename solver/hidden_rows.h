// The hidden singles of all nine digits at once, with AVX2, where the compiler can build it.
#pragma once

#include <cstdint>

#include "state/solver_frame.h"

// GCC and Clang build it for x86 whatever the target processor; the search
// asks the processor before taking it.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)) && !defined(VANTRIC_NO_WIDE)
#define VANTRIC_HIDDEN_ROWS 1

// True when the processor has AVX2.
bool canFindHiddenSinglesInRows();
// For each digit, the frame's empty cells that are the only place for it in
// a row, column or box, as its two words; false when there is none. Only
// where canFindHiddenSinglesInRows.
bool findHiddenSinglesInRows(const SolverFrame& frame, std::uint64_t hidden[9][2]);
#endif
