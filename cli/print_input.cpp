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

// The rest of the line without a last field that the kept bytes may have
// cut short, which could read as another rating ("7.2" of "7.25").
int keptRestLength(const PuzzleLine& line) {
  int length = line.restLength;
  if (length < kLineRestSize) return length;
  while (length > 0 && line.rest[length - 1] != ' ' && line.rest[length - 1] != '\t' &&
         line.rest[length - 1] != ';' && line.rest[length - 1] != ',')
    --length;
  return length;
}

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
  PuzzleLine line;
  ReadResult result = kLineRead;
  while ((result = readPuzzleLine(run.reader, false, line)) == kLineRead) {
    if (line.cellCount < kCellCount) {
      std::fprintf(stderr, "vantric-print: %s:%lld: not a puzzle (%d cells)\n", name,
                   line.lineNumber, line.cellCount);
      status = kStatusNotPrintable;
      continue;
    }
    // A position's pencil marks mean nothing on paper: its digits are the
    // puzzle, as vantric-solve solves them.
    for (CellIndex c = 0; c < kCellCount; ++c) run.state.board[c] = line.puzzle.value[c];
    const char* refusal = refusalOf(run.state);
    if (refusal != nullptr) {
      std::fprintf(stderr, "vantric-print: %s:%lld: not a puzzle to print: %s\n", name,
                   line.lineNumber, refusal);
      status = kStatusNotPrintable;
      continue;
    }
    if (int(run.puzzles->size()) == kMaxPrintPuzzles) {
      run.tooMany = true;
      continue;
    }
    PrintPuzzle puzzle{};
    for (CellIndex c = 0; c < kCellCount; ++c) {
      puzzle.givens[c] = static_cast<signed char>(line.puzzle.value[c]);
      puzzle.solution[c] = static_cast<signed char>(run.state.solution[c]);
    }
    puzzle.rated = readRatingFields(line.rest, keptRestLength(line), &puzzle.rating);
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
