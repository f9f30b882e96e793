// vantric-solve's command line: the usage text and the options.
#include "cli/solve_arguments.h"

#include <cstring>

#include "cli/arguments.h"
#include "cli/output_format.h"

const char kSolveUsage[] =
    "Usage: vantric-solve [--count] [--rate] [--explain] [--jobs N] [--stats]\n"
    "                     [--hint] [--canonical] [--unique] [--format FORMAT]\n"
    "                     [--max-work N] [FILE...]\n"
    "Solves every puzzle in the FILEs, or in standard input when no FILE is\n"
    "given or FILE is -, one puzzle per line. Lines end at LF, CR LF or CR; '#'\n"
    "starts a comment that runs to the end of the line, and lines of nothing\n"
    "but blanks and a comment are skipped. When the input pauses, even within a\n"
    "line, the lines before are answered at once, so a program can feed\n"
    "puzzles one at a time.\n"
    "\n"
    "Cells are '1'-'9', a digit, and '0', '.' or '*', an empty cell; other\n"
    "characters are skipped. Fields are parted by blanks, tabs, ';' and ','.\n"
    "A line's puzzle is the first of these that the line holds:\n"
    "  - a field of exactly 81 cells: HASH PUZZLE RATING, ID;PUZZLE;...,\n"
    "    PUZZLE,SOLUTION, PUZZLE ED=7.2/1.2/1.2 and PUZZLE # NOTE read PUZZLE;\n"
    "  - a field of 729 cells that are pencil marks: nine places a cell, the\n"
    "    k-th holding k where k is a candidate and '.' or '0' where it is not;\n"
    "  - 81 fields that are groups of candidates, digits 1-9 each at most\n"
    "    once, '|', '-' and '+' skipped (4 7 158 | 3 6 9 | ...); nine lines of\n"
    "    nine such groups are one grid, and border lines among them, of '-'\n"
    "    or '=' with '+', '|', '.', ':', '*', ''' and blanks, are skipped;\n"
    "  - otherwise the first 81 cells of the whole line, as a grid drawn on\n"
    "    one line writes them; a line of fewer is not a puzzle.\n"
    "In pencil marks a cell of one digit is filled: the puzzle is the filled\n"
    "cells, and --rate, --explain and --hint start from the marks.\n"
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
    "             or MultipleSolutions, and WrongPosition for pencil marks that\n"
    "             leave out a digit of the solution; for one the rater could not\n"
    "             finish, the rating reached and Unfinished (e.g. >=11.1\n"
    "             Unfinished)\n"
    "  --explain  after each puzzle's line, the steps a person would take, one a\n"
    "             line with its rating, then the puzzle's rating\n"
    "  --max-work N  let a rating visit N chain nodes before it gives up\n"
    "             (256000000, at most about 15 seconds, unless given; 0 for\n"
    "             no bound)\n"
    "  --hint     after each puzzle's line, the next step from the position\n"
    "             only, then its rating. The position is the line's second\n"
    "             grid, of 81 cells, of 729 or of 81 groups (GIVENS POSITION:\n"
    "             the puzzle, then the same with the player's digits or\n"
    "             marks), else the puzzle itself. Givens not kept, repeated\n"
    "             digits, digits that are not the solution's and marks that\n"
    "             leave out its digit are listed instead of a step; a solved\n"
    "             position gets the rating - Solved\n"
    "  --canonical  add a field, last: the puzzle's canonical form, 81 cells\n"
    "             with '.' for empty, the least (empty as 0, row by row) of\n"
    "             the puzzles that relabelling its digits, reordering its\n"
    "             bands, the rows in a band, its stacks, the columns in a\n"
    "             stack, and transposing make; two puzzles are the same but\n"
    "             for these when their forms are equal. A full grid has one too\n"
    "  --unique   write only the first puzzle of each canonical form, over\n"
    "             all the inputs, in input order; a later one writes nothing\n"
    "             (--stats counts them). The line shows the form only with\n"
    "             --canonical or %m\n"
    "  --format FORMAT\n"
    "             write each puzzle's line as FORMAT says: %g the puzzle (81,\n"
    "             '.' for empty), %s the solution (as GRID), %r ER (the\n"
    "             rating), %p EP (the rating when the first digit was placed),\n"
    "             %d ED (the first step's), %t the hardest technique, %c the\n"
    "             solutions (as --count), %i the line number, %T the rating's\n"
    "             seconds, %m the canonical form (as --canonical), %% a %;\n"
    "             e.g. '%g ED=%r/%p/%d'. A puzzle not rated gets - for each\n"
    "             rating and the reason for %t; an unfinished rating >= and\n"
    "             the rating reached where it had not settled, and Unfinished\n"
    "             for %t\n"
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
  options = SolveOptions{false, false, false, false, defaultJobCount(processors),
                         0,     false, false, false, nullptr};
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
    } else if (std::strcmp(arg, "--hint") == 0) {
      options.hint = true;
    } else if (std::strcmp(arg, "--canonical") == 0) {
      options.canonical = true;
    } else if (std::strcmp(arg, "--unique") == 0) {
      options.unique = true;
    } else if (std::strcmp(arg, "--format") == 0) {
      if (i + 1 == argc)
        return reportWrongValue("vantric-solve", "--format",
                                "the line's fields, e.g. '%g %r/%p/%d'", nullptr);
      char unknown[3];
      if (!checkFormat(argv[i + 1], unknown))
        return reportWrongArgument("vantric-solve", "--format has no field", unknown);
      options.format = argv[++i];
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
