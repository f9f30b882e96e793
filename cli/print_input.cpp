// Reads vantric-print's puzzles through vantric-solve's line reader, and
// keeps each with its solution for the answer pages.
#include "cli/print_input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/puzzle_reader.h"
#include "cli/rating_fields.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "state/game_state.h"

namespace {

struct InputRun {
  PuzzleReader reader;
  GameState state;
  std::vector<PrintPuzzle>* puzzles;
  bool tooMany;
};

// Why a board is not a puzzle to print, or null when it has one solution;
// the state is left solved.
const char* refusalOf(GameState& state) {
  runSolve(state);
  if (!state.solutionFound)
    return state.nodeCount == 0 ? "a digit repeats in a row, column or box" : "no solution";
  return countSolutions(state) > 1 ? "more than one solution" : nullptr;
}

// Reads and solves the lines of one stream; the exit status it calls for.
int readStream(InputRun& run, std::FILE* file, const char* name) {
  openPuzzleReader(run.reader, file);
  int status = 0;
  int cells[kCellCount];
  int cellCount = 0;
  long long lineNumber = 0;
  ReadResult result = kLineRead;
  while ((result = readPuzzleLine(run.reader, false, cells, &cellCount, &lineNumber)) ==
         kLineRead) {
    if (cellCount < kCellCount) {
      std::fprintf(stderr, "vantric-print: %s:%lld: not a puzzle (%d cells)\n", name, lineNumber,
                   cellCount);
      status = kStatusNotPrintable;
      continue;
    }
    for (CellIndex c = 0; c < kCellCount; ++c) run.state.board[c] = cells[c];
    const char* refusal = refusalOf(run.state);
    if (refusal != nullptr) {
      std::fprintf(stderr, "vantric-print: %s:%lld: not a puzzle to print: %s\n", name, lineNumber,
                   refusal);
      status = kStatusNotPrintable;
      continue;
    }
    if (int(run.puzzles->size()) == kMaxPrintPuzzles) {
      run.tooMany = true;
      continue;
    }
    PrintPuzzle puzzle{};
    for (CellIndex c = 0; c < kCellCount; ++c) {
      puzzle.givens[c] = static_cast<signed char>(cells[c]);
      puzzle.solution[c] = static_cast<signed char>(run.state.solution[c]);
    }
    puzzle.rated = readRatingFields(run.reader.rest, run.reader.restLength, &puzzle.rating);
    run.puzzles->push_back(puzzle);
  }
  if (result != kReadFailed) return status;
  std::fprintf(stderr, "vantric-print: cannot read %s: %s\n",
               file == stdin ? "standard input" : name, std::strerror(run.reader.readError));
  return kStatusUnreadableInput;
}

}  // namespace

int readPrintPuzzles(char* const* names, int count, std::vector<PrintPuzzle>& puzzles) {
  const std::unique_ptr<InputRun> run = std::make_unique<InputRun>();
  run->puzzles = &puzzles;
  int status = 0;
  for (int i = 0; i < (count == 0 ? 1 : count); ++i) {
    const char* name = count == 0 ? "-" : names[i];
    int inputStatus = 0;
    if (std::strcmp(name, "-") == 0) {
      inputStatus = readStream(*run, stdin, "-");
    } else if (std::FILE* file = std::fopen(name, "rb")) {
      inputStatus = readStream(*run, file, name);
      std::fclose(file);
    } else {
      std::fprintf(stderr, "vantric-print: cannot open %s: %s\n", name, std::strerror(errno));
      inputStatus = kStatusUnreadableInput;
    }
    if (inputStatus > status) status = inputStatus;
  }
  if (run->tooMany) {
    std::fprintf(stderr, "vantric-print: more than %d puzzles; print them in parts\n",
                 kMaxPrintPuzzles);
    if (status < kStatusNotPrintable) status = kStatusNotPrintable;
  } else if (puzzles.empty() && status == 0) {
    std::fprintf(stderr, "vantric-print: no puzzle to print\n");
    status = kStatusNotPrintable;
  }
  return status;
}
