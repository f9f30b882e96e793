// vantric-make's command line: the usage text, the options and their ranges.
#include "cli/make_arguments.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/arguments.h"

const char kMakeUsage[] =
    "Usage: vantric-make [OPTION...] [N]\n"
    "Makes N puzzles (1 when N is not given) and writes them one a line: 81\n"
    "characters, '1'-'9' a clue and '.' an empty cell. Every puzzle has\n"
    "exactly one solution and is minimal: taking away any one clue, or any\n"
    "one set of clues the symmetry ties together, leaves more than one.\n"
    "\n"
    "  --symmetry S  where the clues lie: none; rotate180 (the default, a half\n"
    "                turn maps the clues onto clues); rotate90 (a quarter\n"
    "                turn); mirror (left to right); diagonal (across the\n"
    "                diagonal from top left to bottom right); any (one of\n"
    "                these five, drawn for each puzzle)\n"
    "  --clues A-B   keep puzzles with A to B clues (also A+, or A alone)\n"
    "  --rating A-B  keep puzzles whose rating, rounded to one decimal, lies\n"
    "                from A to B on the Sudoku Explainer scale (also A+, or A\n"
    "                alone); 1.0-2.3 takes singles only, 7.0+ hard puzzles\n"
    "  --rate        add two fields: the rating and the hardest technique's\n"
    "                name, as vantric-solve --rate writes them\n"
    "  --seed S      a number from 0 to 2^64-1 that makes the output the same\n"
    "                on every run, build and --jobs; without it every run\n"
    "                differs (--stats shows the seed drawn)\n"
    "  --jobs N      make on N threads, by default one per core (64 at most)\n"
    "  --max-work N  let a rating visit N chain nodes before it gives up on a\n"
    "                candidate (16000000, about a second, unless given; 0 for\n"
    "                no bound)\n"
    "  --give-up N   stop after N candidates in a row without one kept\n"
    "                (100000 unless given)\n"
    "  --stats       print a summary line on standard error\n"
    "  --version     print the version and exit\n"
    "  --help        print this help and exit\n"
    "\n"
    "With --rate or --rating every puzzle is rated, and one the rater gives\n"
    "up on is left out.\n"
    "\n"
    "Exit status: 0 when N puzzles were written, 1 when the run gave up\n"
    "before (the request cannot be met, or seldom is), 2 when the arguments\n"
    "are wrong, 3 when the output could not be written, which ends the run\n"
    "at once.\n";

namespace {

// A rating, "7" or "7.2", in tenths; moves text past it.
bool readTenths(const char*& text, int* tenths) {
  if (*text < '0' || *text > '9') return false;
  int whole = 0;
  while (*text >= '0' && *text <= '9' && whole < kNoRatingLimit) whole = whole * 10 + *text++ - '0';
  int fraction = 0;
  if (*text == '.') {
    ++text;
    if (*text < '0' || *text > '9') return false;
    fraction = *text++ - '0';
  }
  *tenths = whole * 10 + fraction;
  return *tenths < kNoRatingLimit;
}

// A clue count; moves text past it.
bool readCount(const char*& text, int* count) {
  if (*text < '0' || *text > '9') return false;
  int value = 0;
  while (*text >= '0' && *text <= '9' && value <= kCellCount) value = value * 10 + *text++ - '0';
  *count = value;
  return value <= kCellCount;
}

// "A-B", "A+" or "A", each bound read by readBound; "A+" leaves high as it is.
bool readRange(const char* text, bool (*readBound)(const char*&, int*), int* low, int* high) {
  if (!readBound(text, low)) return false;
  if (*text == '\0') {
    *high = *low;
    return true;
  }
  if (*text == '+') return text[1] == '\0';
  if (*text != '-') return false;
  ++text;
  return readBound(text, high) && *text == '\0' && *low <= *high;
}

// The message, with the argument it names when there is one, and the usage.
int wrongArgument(const char* message, const char* arg = nullptr) {
  return reportWrongArgument("vantric-make", kMakeUsage, message, arg);
}

}  // namespace

int readMakeArguments(int argc, char** argv, int processors, MakeOptions& options) {
  options = MakeOptions{1,
                        {Symmetry::kRotate180, 0, kCellCount, 0, kNoRatingLimit, false},
                        false,
                        0,
                        false,
                        false,
                        defaultJobCount(processors),
                        kDefaultGiveUp};
  bool countGiven = false;
  bool ratingGiven = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    // Every option but the flags takes the next argument as its value.
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (answerHelpOrVersion(arg, "vantric-make", kMakeUsage)) {
      return 0;
    } else if (std::strcmp(arg, "--stats") == 0) {
      options.stats = true;
    } else if (std::strcmp(arg, "--rate") == 0) {
      options.printRating = true;
    } else if (std::strcmp(arg, "--symmetry") == 0) {
      if (value == nullptr || !readSymmetryName(value, &options.request.symmetry))
        return wrongArgument("--symmetry wants none, rotate180, rotate90, mirror, diagonal or any");
      ++i;
    } else if (std::strcmp(arg, "--clues") == 0) {
      if (value == nullptr ||
          !readRange(value, readCount, &options.request.minClues, &options.request.maxClues))
        return wrongArgument("--clues wants a range of clue counts such as 22-26, 30+ or 24");
      ++i;
    } else if (std::strcmp(arg, "--rating") == 0) {
      if (value == nullptr ||
          !readRange(value, readTenths, &options.request.minRating, &options.request.maxRating))
        return wrongArgument("--rating wants a range of ratings such as 1.0-2.3, 7.0+ or 4.4");
      ratingGiven = true;
      ++i;
    } else if (std::strcmp(arg, "--seed") == 0) {
      char* end = nullptr;
      errno = 0;
      options.seed = value == nullptr ? 0 : std::strtoull(value, &end, 10);
      if (value == nullptr || end == value || *end != '\0' || errno != 0 || value[0] == '-')
        return wrongArgument("--seed wants a whole number from 0 to 18446744073709551615");
      options.seedGiven = true;
      ++i;
    } else if (std::strcmp(arg, "--jobs") == 0) {
      if (value == nullptr || !readJobCount(value, &options.jobs))
        return wrongArgument("--jobs wants a number of threads, 1 or more");
      ++i;
    } else if (std::strcmp(arg, "--max-work") == 0) {
      if (value == nullptr || !readWorkBound(value, &options.request.workBound))
        return wrongArgument("--max-work wants a number of chain nodes, 0 for no bound");
      ++i;
    } else if (std::strcmp(arg, "--give-up") == 0) {
      if (value == nullptr || !readWholeNumber(value, 1, 1LL << 60, &options.giveUp))
        return wrongArgument("--give-up wants a number of candidates, 1 or more");
      ++i;
    } else if (arg[0] == '-') {
      return wrongArgument("unknown option", arg);
    } else if (countGiven || !readWholeNumber(arg, 1, 1LL << 60, &options.count)) {
      return wrongArgument("N is one number of puzzles, 1 or more, not", arg);
    } else {
      countGiven = true;
    }
  }
  options.request.rate = options.printRating || ratingGiven;
  if (options.request.maxClues < kFewestClues) {
    std::fprintf(stderr, "vantric-make: no puzzle with fewer than %d clues has one solution\n",
                 kFewestClues);
    return kStatusGaveUp;
  }
  return -1;
}
