// Rates a puzzle the way a person solves it: the easiest technique that
// applies, one step at a time, the hardest step giving the rating.
#pragma once

#include "logic/logic_context.h"
#include "logic/step.h"

struct RatingResult {
  // The largest rating of any step taken, and the first step to reach it.
  double rating;
  Technique hardest;
  int hardestLevel;
  // The rating reached when the first digit was placed, and that of the
  // first step.
  double firstPlacementRating;
  double firstStepRating;
  int stepCount;
  // False when no technique applied before the grid was full, the run
  // spent its work bound or a store of the chain engine filled up; limit says which.
  bool finished;
  RatingLimit limit;
  // What a rating has reached: its rating when finished, and when not, the
  // least the puzzle's can be (the hardest step so far, or what the next
  // step rates at least, where the run stopped).
  double reached;
};

// Called with each step before it is applied, and the grid it applies to.
using StepObserver = void (*)(const Step& step, const LogicGrid& grid, void* data);

// Rates board (81 digits, 0 for empty), which must have exactly one
// solution; observer, when not null, sees every step.
void ratePuzzle(LogicContext& context, const int board[kCellCount], RatingResult& result,
                StepObserver observer = nullptr, void* observerData = nullptr);
// The same from a grid of pencil marks, a player's position, whose
// candidates must hold the one solution.
void rateGrid(LogicContext& context, const LogicGrid& grid, RatingResult& result,
              StepObserver observer = nullptr, void* observerData = nullptr);
// The first step the rater takes from board (81 digits, 0 for empty, one
// solution), into context.step; false when the grid is full or no technique
// applies within the work bound.
bool findNextStep(LogicContext& context, const int board[kCellCount]);
// The same from a grid of pencil marks, which may hold fewer candidates than
// the digits allow, as a player's do.
bool findNextStepOnGrid(LogicContext& context, const LogicGrid& grid);
// A rating as printed: rounded half up to one decimal, in tenths.
int ratingTenths(double rating);
// A finished rating as vantric-solve --rate prints it: "7.2 ForcingChain".
// Writes at most size - 1 characters and a terminating zero.
void formatRatingFields(const RatingResult& result, char* text, int size);
