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

// Puts orbits of the solution back, in a random order of the candidate's
// own, until the clue count reaches one drawn from the range asked for; an
// orbit that would pass the range's top is passed over. The puzzle keeps its
// one solution and its symmetry.
int addClues(const Orbits& orbits, Random& random, const MakeRequest& request,
             const int grid[kCellCount], int board[kCellCount], int clueCount) {
  const int low = clueCount > request.minClues ? clueCount : request.minClues;
  if (low > request.maxClues) return clueCount;
  const int target = low + randomBelow(random, request.maxClues - low + 1);
  int order[kCellCount];
  for (int i = 0; i < orbits.count; ++i) order[i] = i;
  shuffleItems(random, order, orbits.count);
  for (int i = 0; i < orbits.count && clueCount < target; ++i) {
    const CellIndex* cells = orbits.cells[order[i]];
    const int size = orbits.size[order[i]];
    if (board[cells[0]] != 0 || clueCount + size > request.maxClues) continue;
    for (int k = 0; k < size; ++k) board[cells[k]] = grid[cells[k]];
    clueCount += size;
  }
  return clueCount;
}

// True when no single clue can go. The pass tried every orbit of one cell
// already, and a clue that could not go then cannot go from fewer clues.
bool everyClueNeeded(MakerWorkspace& workspace, const Orbits& orbits, const int grid[kCellCount],
                     int board[kCellCount]) {
  for (int orbit = 0; orbit < orbits.count; ++orbit) {
    if (orbits.size[orbit] == 1 || board[orbits.cells[orbit][0]] == 0) continue;
    for (int k = 0; k < orbits.size[orbit]; ++k) {
      const CellIndex cell = orbits.cells[orbit][k];
      board[cell] = 0;
      const bool needed = hasOtherSolution(workspace.frames, board, grid, &cell, 1);
      board[cell] = grid[cell];
      if (!needed) return false;
    }
  }
  return true;
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
  const Orbits& orbits = workspace.orbits[int(candidate.symmetry)];
  candidate.clueCount = removeClues(workspace, orbits, random, grid, candidate.board);
  if (request.minimality == Minimality::kNone)
    candidate.clueCount =
        addClues(orbits, random, request, grid, candidate.board, candidate.clueCount);
  candidate.ratingTenths = 0;
  candidate.hardest = Technique::kHiddenSingle;
  candidate.hardestLevel = 0;
  if (candidate.clueCount < request.minClues || candidate.clueCount > request.maxClues) {
    candidate.rejection = Rejection::kClues;
    return;
  }
  if (request.minimality == Minimality::kStrict &&
      !everyClueNeeded(workspace, orbits, grid, candidate.board)) {
    candidate.rejection = Rejection::kNotMinimal;
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
