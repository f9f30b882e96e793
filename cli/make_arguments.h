// vantric-make's command line.
#pragma once

#include <cstdint>

#include "generator/puzzle_maker.h"

// The fewest clues a puzzle with one solution has.
constexpr int kFewestClues = 17;
// The most clues of any minimal puzzle known: how many the largest has is
// open, and none with more than 40 has been found. Above it --clues puts
// clues back unless --minimal asks otherwise.
constexpr int kMostMinimalClues = 40;
// The clues --not-minimal aims at when --clues is not given: a beginner's.
constexpr int kNotMinimalLowClues = 32;
constexpr int kNotMinimalHighClues = 38;
// The highest rating, in tenths, the scale can give: its hardest technique,
// a dynamic chain nested four deep, rates 10.5, and a chain's length adds
// 0.1 for each threshold its complexity passes, thresholds that grow by a
// half and a third in turn from 4; a complexity is a 32-bit count, which
// passes at most 58 of them. The hardest puzzles known rate about 12.
constexpr int kHighestRating = 163;
constexpr long long kDefaultGiveUp = 100000;

struct MakeOptions {
  long long count;
  MakeRequest request;
  bool seedGiven;
  std::uint64_t seed;
  bool printRating;
  // Each puzzle written as its canonical form.
  bool canonical;
  bool stats;
  int jobs;
  // Candidates in a row without one kept before the run gives up.
  long long giveUp;
};

// The exit status the usage text gives when the run gave up, or would.
constexpr int kStatusGaveUp = 1;

extern const char kMakeUsage[];

// Reads the arguments into options; -1 when the run goes on, otherwise the
// exit status: help, version, or a wrong or impossible request, each with
// its message written.
int readMakeArguments(int argc, char** argv, int processors, MakeOptions& options);
