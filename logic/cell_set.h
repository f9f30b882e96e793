// A set of cells as two words, for the "cells that see all of these" questions.
#pragma once

#include <bit>
#include <cstdint>

#include "state/bit_count.h"
#include "state/grid.h"

// Cells 0-63 in word 0, 64-80 in word 1.
struct CellSet {
  std::uint64_t word[2];

  constexpr bool contains(CellIndex cell) const {
    return (word[cell >> 6] >> (cell & 63) & 1) != 0;
  }
  constexpr void add(CellIndex cell) { word[cell >> 6] |= std::uint64_t(1) << (cell & 63); }
  constexpr void remove(CellIndex cell) { word[cell >> 6] &= ~(std::uint64_t(1) << (cell & 63)); }
  constexpr bool empty() const { return (word[0] | word[1]) == 0; }
  constexpr int count() const { return wordBitCount(word[0]) + wordBitCount(word[1]); }
  // The lowest cell of a set that is not empty.
  constexpr CellIndex first() const {
    return word[0] != 0 ? std::countr_zero(word[0]) : 64 + std::countr_zero(word[1]);
  }
};

constexpr CellSet kEveryCell{{~std::uint64_t(0), (std::uint64_t(1) << (kCellCount - 64)) - 1}};

constexpr CellSet operator&(CellSet a, CellSet b) {
  return {{a.word[0] & b.word[0], a.word[1] & b.word[1]}};
}
constexpr CellSet operator|(CellSet a, CellSet b) {
  return {{a.word[0] | b.word[0], a.word[1] | b.word[1]}};
}
constexpr CellSet operator-(CellSet a, CellSet b) {
  return {{a.word[0] & ~b.word[0], a.word[1] & ~b.word[1]}};
}
constexpr bool operator==(CellSet a, CellSet b) {
  return a.word[0] == b.word[0] && a.word[1] == b.word[1];
}

// Calls visit(cell) for every cell of a set in increasing index.
template <typename Visit>
constexpr void forEachCell(CellSet set, Visit visit) {
  for (int w = 0; w < 2; ++w) {
    for (std::uint64_t bits = set.word[w]; bits != 0; bits &= bits - 1)
      visit(CellIndex(w * 64 + std::countr_zero(bits)));
  }
}
