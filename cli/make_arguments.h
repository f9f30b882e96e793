// vantric-make's command line.
#pragma once

#include <cstdint>

#include "generator/puzzle_maker.h"

// The fewest clues a puzzle with one solution has.
constexpr int kFewestClues = 17;
constexpr long long kDefaultGiveUp = 100000;

struct MakeOptions {
  long long count;
  MakeRequest request;
  bool seedGiven;
  std::uint64_t seed;
  bool printRating;
  bool stats;
  int jobs;
  // Candidates in a row without one kept before the run gives up.
  long long giveUp;
};

// The exit status the usage text gives when the run gave up.
constexpr int kStatusGaveUp = 1;

extern const char kMakeUsage[];

// Reads the arguments into options; -1 when the run goes on, otherwise the
// exit status: help, version, or a wrong or impossible request, each with
// its message written.
int readMakeArguments(int argc, char** argv, int processors, MakeOptions& options);
