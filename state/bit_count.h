// Counting set bits. Without the population-count instruction, which only
// later processors have, std::popcount is a library call, and the rater and
// the solver count bits in their inner loops.
#pragma once

#include <bit>
#include <cstdint>

inline constexpr auto kNineBitCounts = [] {
  struct Counts {
    std::uint8_t of[512];
  } counts{};
  for (int mask = 1; mask < 512; ++mask)
    counts.of[mask] = std::uint8_t(counts.of[mask >> 1] + (mask & 1));
  return counts;
}();

// The bits of a mask of nine: a cell's candidates, a digit's places in a house.
constexpr int bitCount(int mask) {
  return kNineBitCounts.of[mask & 0x1FF];
}

// The bits of a word, summed in ever wider fields where the instruction is
// not to be had.
constexpr int wordBitCount(std::uint64_t word) {
#if defined(__POPCNT__)
  return std::popcount(word);
#else
  word -= (word >> 1) & 0x5555555555555555u;
  word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
  word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return int((word * 0x0101010101010101u) >> 56);
#endif
}
