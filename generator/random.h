// The maker's random numbers: splitmix64 with fixed integer arithmetic, so
// that one seed gives the same puzzles on every compiler and processor.
#pragma once

#include <cstdint>

struct Random {
  std::uint64_t state;
};

// splitmix64's output function: a bijection that scatters nearby inputs.
inline std::uint64_t mixBits(std::uint64_t value) {
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9u;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBu;
  return value ^ (value >> 31);
}

// The stream of one candidate, from the run's seed and the candidate's
// index alone, so that any thread may make any candidate.
inline void seedCandidate(Random& random, std::uint64_t seed, std::uint64_t index) {
  random.state = mixBits(seed) ^ mixBits(index + 0x632BE59BD9B4E019u);
}

inline std::uint64_t nextRandom(Random& random) {
  random.state += 0x9E3779B97F4A7C15u;
  return mixBits(random.state);
}

// A number from 0 to bound - 1 (bound at most 2^32): the high 32 bits scaled,
// whose bias is far below anything a puzzle could show.
inline int randomBelow(Random& random, int bound) {
  return int(((nextRandom(random) >> 32) * std::uint64_t(bound)) >> 32);
}

// Fisher-Yates over count items.
inline void shuffleItems(Random& random, int* items, int count) {
  for (int i = count - 1; i > 0; --i) {
    const int j = randomBelow(random, i + 1);
    const int held = items[i];
    items[i] = items[j];
    items[j] = held;
  }
}
