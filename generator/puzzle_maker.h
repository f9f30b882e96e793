// Makes one candidate puzzle from a seed and its index: a random solved
// grid, its clues taken away orbit by orbit while the puzzle stays unique,
// some put back when it need not be minimal, then the clue, minimality and
// rating bounds.
#pragma once

#include <cstdint>

#include "generator/grid_search.h"
#include "generator/symmetry.h"
#include "logic/logic_context.h"

// Ratings in tenths, as ratingTenths gives them; this is above every rating.
constexpr int kNoRatingLimit = 1000;

// How far a puzzle is minimal. kOrbits: no orbit of clues the symmetry ties
// together can go, which one pass over the orbits gives. kStrict: no single
// clue can go either. kNone: orbits of the solution are put back, up to a
// clue count drawn from the range asked for.
enum class Minimality : std::uint8_t { kOrbits, kStrict, kNone };

struct MakeRequest {
  Symmetry symmetry;
  int minClues;
  int maxClues;
  int minRating;
  int maxRating;
  // Every candidate within the clue bounds is rated; without it the rating
  // bounds must be 0 and kNoRatingLimit.
  bool rate;
  Minimality minimality = Minimality::kOrbits;
  // What a rating may spend, as LogicContext::workBound has it.
  long long workBound = 0;
};

enum class Rejection : std::uint8_t { kKept, kClues, kRating, kUnfinishedRating, kNotMinimal };
constexpr int kRejectionCount = 5;

struct Candidate {
  int board[kCellCount];
  int clueCount;
  // The fixed symmetry it follows: kAny's draw.
  Symmetry symmetry;
  Rejection rejection;
  // Set only when the candidate was rated.
  int ratingTenths;
  Technique hardest;
  int hardestLevel;
};

// Everything one thread makes candidates with; prepareMakerWorkspace once first.
struct MakerWorkspace {
  SearchFrames frames;
  Orbits orbits[kFixedSymmetryCount];
  LogicContext logic;
};

void prepareMakerWorkspace(MakerWorkspace& workspace);
// Candidate number index of the run with this seed: the same on every
// thread, build and processor.
void makeCandidate(MakerWorkspace& workspace, const MakeRequest& request, std::uint64_t seed,
                   std::uint64_t index, Candidate& candidate);
