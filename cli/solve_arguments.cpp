// vantric-solve's command line: the usage text and the options.
#include "cli/solve_arguments.h"

#include <cstring>

#include "cli/arguments.h"

const char kSolveUsage[] =
    "Usage: vantric-solve [--count] [--rate] [--explain] [--jobs N] [--stats]\n"
    "                     [--max-work N] [FILE...]\n"
    "Solves every puzzle in the FILEs, or in standard input when no FILE is\n"
    "given or FILE is -. One puzzle per line: '1'-'9' a digit, '0', '.' or '*'\n"
    "an empty cell, other characters skipped, the first 81 cells taken; '#'\n"
    "starts a comment that runs to the end of the line, and lines of nothing\n"
    "but blanks and a comment are skipped. Lines end at LF, CR LF or CR. When\n"
    "the input pauses, even within a line, the lines before are answered at\n"
    "once, so a program can feed puzzles one at a time.\n"
    "\n"
    "Prints one line per puzzle, in input order: VERDICT NODES DEPTH SECONDS\n"
    "GRID, where VERDICT is found, none or invalid (a digit repeated in a\n"
    "unit), NODES the search nodes, DEPTH the deepest search level, SECONDS the\n"
    "run time and GRID the 81 digits of the solution, or 81 dots without one.\n"
    "Each line is written as soon as it and those before it are ready.\n"
    "\n"
    "  --count    add a field: the number of solutions, 0, 1 or 2 (two or more)\n"
    "  --rate     add two fields: the difficulty on the Sudoku Explainer scale,\n"
    "             one decimal, and the hardest technique's name in one word\n"
    "             (e.g. 7.2 ForcingChain), 0.0 Solved for a full grid; for a\n"
    "             puzzle with no solution or several, - and Invalid, NoSolution\n"
    "             or MultipleSolutions; for one the rater could not finish, the\n"
    "             rating reached and Unfinished (e.g. >=11.1 Unfinished)\n"
    "  --explain  after each puzzle's line, the steps a person would take, one a\n"
    "             line with its rating, then the puzzle's rating\n"
    "  --max-work N  let a rating visit N chain nodes before it gives up\n"
    "             (16000000, about a second, unless given; 0 for no bound)\n"
    "  --jobs N   solve on N threads, by default one per core (64 at most)\n"
    "  --stats    print a summary line with the wall time on standard error\n"
    "  --version  print the version and exit\n"
    "  --help     print this help and exit\n"
    "\n"
    "Exit status: 0 when every line was a puzzle, 1 when some line was not,\n"
    "2 when a file could not be opened or read or the arguments are wrong, 3\n"
    "when the output could not be written (a full disk, a closed pipe), which\n"
    "ends the run at once, 130 when Ctrl-C ended it, after the lines answered\n"
    "so far were written, whole.\n";

int readSolveArguments(int argc, char** argv, int processors, SolveOptions& options,
                       int* fileCount) {
  options = SolveOptions{false, false, false, false, defaultJobCount(processors), 0};
  *fileCount = 0;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
      argv[1 + (*fileCount)++] = argv[i];
    } else if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (answerHelpOrVersion(arg, "vantric-solve", kSolveUsage)) {
      return 0;
    } else if (std::strcmp(arg, "--stats") == 0) {
      options.stats = true;
    } else if (std::strcmp(arg, "--count") == 0) {
      options.count = true;
    } else if (std::strcmp(arg, "--rate") == 0) {
      options.rate = true;
    } else if (std::strcmp(arg, "--explain") == 0) {
      options.explain = true;
    } else if (std::strcmp(arg, "--max-work") == 0) {
      if (i + 1 == argc || !readWorkBound(argv[i + 1], &options.workBound))
        return reportWrongValue("vantric-solve", "--max-work",
                                "a number of chain nodes, 0 for no bound",
                                i + 1 == argc ? nullptr : argv[i + 1]);
      ++i;
    } else if (std::strcmp(arg, "--jobs") == 0) {
      if (i + 1 == argc || !readJobCount(argv[i + 1], &options.jobs))
        return reportWrongValue("vantric-solve", "--jobs", "a number of threads, 1 or more",
                                i + 1 == argc ? nullptr : argv[i + 1]);
      ++i;
    } else {
      return reportWrongArgument("vantric-solve", "unknown option", arg);
    }
  }
  return -1;
}
