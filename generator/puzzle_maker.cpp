#include "generator/puzzle_maker.h"

#include "logic/rating.h"

namespace {

// Empties the orbits in a random order, each while the puzzle keeps one
// solution. One pass is enough for minimality: an orbit that could not go
// from a puzzle cannot go from one with fewer clues, which has at least the
// same solutions.
int removeClues(MakerWorkspace& workspace, const Orbits& orbits, Random& random,
                const int grid[kCellCount], int board[kCellCount]) {
  int order[kCellCount];
  for (int i = 0; i < orbits.count; ++i) order[i] = i;
  shuffleItems(random, order, orbits.count);
  int clueCount = kCellCount;
  for (int i = 0; i < orbits.count; ++i) {
    const CellIndex* cells = orbits.cells[order[i]];
    const int size = orbits.size[order[i]];
    for (int k = 0; k < size; ++k) board[cells[k]] = 0;
    if (hasOtherSolution(workspace.frames, board, grid, cells, size)) {
      for (int k = 0; k < size; ++k) board[cells[k]] = grid[cells[k]];
    } else {
      clueCount -= size;
    }
  }
  return clueCount;
}

// Ends a rating run once a step passes the highest rating asked for: the
// rating only grows, so the rest of the run would be spent for nothing.
struct RatingCap {
  LogicContext* context;
  int maxRating;
  bool passed;
};

void capRating(const Step& step, const LogicGrid&, void* data) {
  RatingCap& cap = *static_cast<RatingCap*>(data);
  if (ratingTenths(step.rating) <= cap.maxRating) return;
  cap.passed = true;
  // The rater stops at the first technique that finds nothing once its work
  // is spent.
  cap.context->workLeft = 0;
}

}  // namespace

void prepareMakerWorkspace(MakerWorkspace& workspace) {
  for (int s = 0; s < kFixedSymmetryCount; ++s) findOrbits(Symmetry(s), workspace.orbits[s]);
}

void makeCandidate(MakerWorkspace& workspace, const MakeRequest& request, std::uint64_t seed,
                   std::uint64_t index, Candidate& candidate) {
  Random random;
  seedCandidate(random, seed, index);
  candidate.symmetry = request.symmetry == Symmetry::kAny
                           ? Symmetry(randomBelow(random, kFixedSymmetryCount))
                           : request.symmetry;
  int grid[kCellCount];
  makeSolvedGrid(workspace.frames, random, grid);
  for (CellIndex c = 0; c < kCellCount; ++c) candidate.board[c] = grid[c];
  candidate.clueCount = removeClues(workspace, workspace.orbits[int(candidate.symmetry)], random,
                                    grid, candidate.board);
  candidate.ratingTenths = 0;
  candidate.hardest = Technique::kHiddenSingle;
  candidate.hardestLevel = 0;
  if (candidate.clueCount < request.minClues || candidate.clueCount > request.maxClues) {
    candidate.rejection = Rejection::kClues;
    return;
  }
  candidate.rejection = Rejection::kKept;
  if (!request.rate) return;
  // Singles alone rate 2.3 at most, so a puzzle they solve is refused
  // above that without a rating run.
  if (request.minRating > 23 && solvedBySingles(workspace.frames, candidate.board)) {
    candidate.rejection = Rejection::kRating;
    return;
  }
  RatingResult result;
  workspace.logic.workBound = request.workBound;
  RatingCap cap{&workspace.logic, request.maxRating, false};
  ratePuzzle(workspace.logic, candidate.board, result, capRating, &cap);
  candidate.ratingTenths = ratingTenths(result.rating);
  candidate.hardest = result.hardest;
  candidate.hardestLevel = result.hardestLevel;
  if (cap.passed) {
    candidate.rejection = Rejection::kRating;
  } else if (!result.finished) {
    candidate.rejection = Rejection::kUnfinishedRating;
  } else if (candidate.ratingTenths < request.minRating) {
    candidate.rejection = Rejection::kRating;
  }
}
