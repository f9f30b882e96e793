#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/puzzle_reader.h"
#include "model/tables.h"
#include "solver/search.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kUsage[] =
    "Usage: vantric-solve [--stats] [FILE...]\n"
    "Solves every puzzle in the FILEs, or in standard input when no FILE is\n"
    "given or FILE is -. One puzzle per line: '1'-'9' a digit, '.' or '*' an\n"
    "empty cell, other characters skipped, the first 81 cells taken; blank\n"
    "lines and lines starting with '#' are skipped.\n"
    "\n"
    "Prints one line per puzzle: VERDICT NODES DEPTH SECONDS GRID, where\n"
    "VERDICT is found, none or invalid (a digit repeated in a unit), NODES the\n"
    "search nodes, DEPTH the deepest search level, SECONDS the run time and\n"
    "GRID the 81 digits of the solution, or 81 dots without one.\n"
    "\n"
    "  --stats  print a summary line on standard error\n"
    "  --help   print this help and exit\n"
    "\n"
    "Exit status: 0 when every line was a puzzle, 1 when some line was not,\n"
    "2 when a file could not be opened or the arguments are wrong.\n";

struct Totals {
  long long puzzles;
  long long found;
  long long none;
  long long invalid;
  long long nodes;
  double seconds;
};

Totals totals;
PuzzleReader reader;
char outputBuffer[1 << 16];

void printResult() {
  const char* verdict = game.solutionFound ? "found" : game.nodeCount == 0 ? "invalid" : "none";
  char grid[kCellCount + 1];
  for (CellIndex c = 0; c < kCellCount; ++c)
    grid[c] = game.solutionFound ? char('0' + game.solution[c]) : '.';
  grid[kCellCount] = '\0';
  std::printf("%s %d %d %.6f %s\n", verdict, game.nodeCount, game.deepestSlot, game.solveSeconds,
              grid);

  ++totals.puzzles;
  if (game.solutionFound)
    ++totals.found;
  else if (game.nodeCount == 0)
    ++totals.invalid;
  else
    ++totals.none;
  totals.nodes += game.nodeCount;
  totals.seconds += game.solveSeconds;
}

// Solves every puzzle of one stream; false when some line was not a puzzle.
bool solveStream(std::FILE* file, const char* name) {
  bool allPuzzles = true;
  openPuzzleReader(reader, file);
  int cells[kCellCount];
  int cellCount = 0;
  long long lineNumber = 0;
  while (readPuzzleLine(reader, cells, &cellCount, &lineNumber)) {
    if (cellCount < kCellCount) {
      std::fflush(stdout);
      std::fprintf(stderr, "vantric-solve: %s:%lld: not a puzzle (%d cells)\n", name, lineNumber,
                   cellCount);
      allPuzzles = false;
      continue;
    }
    for (CellIndex c = 0; c < kCellCount; ++c) game.board[c] = cells[c];
    runSolve();
    printResult();
  }
  return allPuzzles;
}

void printStats() {
  const double perSecond = totals.seconds > 0.0 ? double(totals.puzzles) / totals.seconds : 0.0;
  const double perNode = totals.nodes > 0 ? totals.seconds * 1e9 / double(totals.nodes) : 0.0;
  std::fprintf(stderr,
               "vantric-solve: %lld puzzles, %lld found, %lld none, %lld invalid, %lld nodes, "
               "%.6f seconds, %.1f puzzles/s, %.1f ns/node\n",
               totals.puzzles, totals.found, totals.none, totals.invalid, totals.nodes,
               totals.seconds, perSecond, perNode);
}

}  // namespace

int main(int argc, char** argv) {
  bool stats = false;
  bool optionsEnded = false;
  int fileCount = 0;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
      ++fileCount;
    } else if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (std::strcmp(arg, "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (std::strcmp(arg, "--stats") == 0) {
      stats = true;
    } else {
      std::fprintf(stderr, "vantric-solve: unknown option '%s'\n%s", arg, kUsage);
      return 2;
    }
  }

#ifdef _WIN32
  // Every byte of the input counts; text mode would end it at a Ctrl-Z.
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  initTables();
  // Nothing else asks for a solve here, so no run is ever given up.
  game.pendingSolve = false;

  int status = 0;
  optionsEnded = false;
  for (int i = 1; i < argc || fileCount == 0; ++i) {
    const char* arg = fileCount == 0 ? "-" : argv[i];
    if (fileCount != 0 && !optionsEnded && arg[0] == '-' && std::strcmp(arg, "-") != 0) {
      if (std::strcmp(arg, "--") == 0) optionsEnded = true;
      continue;
    }
    bool allPuzzles = true;
    if (std::strcmp(arg, "-") == 0) {
      allPuzzles = solveStream(stdin, "-");
    } else {
      std::FILE* file = std::fopen(arg, "rb");
      if (file == nullptr) {
        std::fflush(stdout);
        std::fprintf(stderr, "vantric-solve: cannot open %s: %s\n", arg, std::strerror(errno));
        status = 2;
      } else {
        allPuzzles = solveStream(file, arg);
        std::fclose(file);
      }
    }
    if (!allPuzzles && status == 0) status = 1;
    if (fileCount == 0) break;
  }
  std::fflush(stdout);
  if (stats) printStats();
  return status;
}
