// vantric-make's command line: the usage text, the options and their ranges.
#include "cli/make_arguments.h"

#include <cstdio>
#include <cstring>

#include "cli/arguments.h"

const char kMakeUsage[] =
    "Usage: vantric-make [OPTION...] [N]\n"
    "Makes N puzzles (1 when N is not given) and writes them one a line, each\n"
    "as soon as it and those before it are made: 81 characters, '1'-'9' a clue\n"
    "and '.' an empty cell. Every puzzle has exactly one solution and is\n"
    "minimal under its symmetry: taking away any one set of clues the symmetry\n"
    "ties together (any one clue, without a symmetry) leaves more than one.\n"
    "\n"
    "  --symmetry S  where the clues lie: none; rotate180 (the default, a half\n"
    "                turn maps the clues onto clues); rotate90 (a quarter\n"
    "                turn); mirror (left to right); diagonal (across the\n"
    "                diagonal from top left to bottom right); any (one of\n"
    "                these five, drawn for each puzzle)\n"
    "  --clues A-B   keep puzzles with A to B clues (also A+, or A alone); from\n"
    "                41, more than any minimal puzzle known has, as with\n"
    "                --not-minimal\n"
    "  --not-minimal put clues of the solution back, a set the symmetry ties\n"
    "                together at a time, up to a count drawn from --clues\n"
    "                (32-38 when --clues is not given), for beginners\n"
    "  --minimal K   orbits (the default): no set of clues the symmetry ties\n"
    "                together can go; strict: no single clue can go either\n"
    "  --rating A-B  keep puzzles whose rating, rounded to one decimal, lies\n"
    "                from A to B on the Sudoku Explainer scale (also A+, or A\n"
    "                alone); 1.0-2.3 takes singles only, 7.0+ hard puzzles\n"
    "  --rate        add two fields: the rating and the hardest technique's\n"
    "                name, as vantric-solve --rate writes them\n"
    "  --canonical   write each puzzle as its canonical form, the least of the\n"
    "                puzzles its digits' relabellings and its rows', columns',\n"
    "                bands' and stacks' reorderings and transposition make\n"
    "                (as vantric-solve --canonical); the rating is the same\n"
    "  --seed S      a number from 0 to 2^64-1 that makes the output the same\n"
    "                on every run, build and --jobs; without it every run\n"
    "                differs (--stats shows the seed drawn)\n"
    "  --jobs N      make on N threads, by default one per core (64 at most)\n"
    "  --max-work N  let a rating visit N chain nodes before it gives up on a\n"
    "                candidate (256000000, at most about 15 seconds, unless\n"
    "                given; 0 for no bound)\n"
    "  --give-up N   stop after N candidates in a row without one kept\n"
    "                (100000 unless given)\n"
    "  --stats       print a summary line on standard error\n"
    "  --version     print the version and exit\n"
    "  --help        print this help and exit\n"
    "\n"
    "With --rate or --rating every puzzle is rated, and one the rater gives\n"
    "up on is left out. While a run on a terminal takes more than a second, a\n"
    "line on standard error shows the puzzles made, the candidates tried and\n"
    "the puzzles a second; it is cleared at the end.\n"
    "\n"
    "Exit status: 0 when N puzzles were written; 1 when the run gave up\n"
    "before (the request is seldom met) or the request cannot be met at all\n"
    "(fewer than 17 clues, a minimal puzzle of more than 40, a count rotate90\n"
    "cannot give, a rating above 16.3, the most the scale gives), said at\n"
    "once; 2 when the arguments are wrong; 3 when the output could not be\n"
    "written (a full disk, a closed pipe), which ends the run at once; 130\n"
    "when Ctrl-C ended it, after the puzzles made so far were written, whole\n"
    "lines.\n";

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

enum class RangeRead { kRead, kWrong, kReversed };

// "A-B", "A+" or "A", each bound read by readBound; "A+" leaves high as it is.
RangeRead readRange(const char* text, bool (*readBound)(const char*&, int*), int* low, int* high) {
  if (!readBound(text, low)) return RangeRead::kWrong;
  if (*text == '\0') {
    *high = *low;
    return RangeRead::kRead;
  }
  if (*text == '+') return text[1] == '\0' ? RangeRead::kRead : RangeRead::kWrong;
  if (*text != '-') return RangeRead::kWrong;
  ++text;
  if (!readBound(text, high) || *text != '\0') return RangeRead::kWrong;
  return *low <= *high ? RangeRead::kRead : RangeRead::kReversed;
}

constexpr char kProgram[] = "vantric-make";

int wrongValue(const char* option, const char* wants, const char* value) {
  return reportWrongValue(kProgram, option, wants, value);
}

// A range option's value, or its message and status.
int readRangeOption(const char* option, const char* wants, const char* value,
                    bool (*readBound)(const char*&, int*), int* low, int* high) {
  const RangeRead read =
      value == nullptr ? RangeRead::kWrong : readRange(value, readBound, low, high);
  if (read == RangeRead::kReversed) return wrongValue(option, "its smaller bound first", value);
  return read == RangeRead::kRead ? -1 : wrongValue(option, wants, value);
}

// A request no puzzle can meet: its reason on standard error.
int refuseRequest(const char* reason) {
  std::fprintf(stderr, "%s: %s\n", kProgram, reason);
  return kStatusGaveUp;
}

// A quarter turn ties the clues together in fours around the centre, so a
// count is a multiple of four, or one more.
bool rotate90Reaches(const MakeRequest& request) {
  for (int count = request.minClues; count <= request.maxClues; ++count)
    if (count % 4 <= 1) return true;
  return false;
}

// Settles the minimality the request leaves open, then refuses a request no
// puzzle can meet; -1 when the run goes on.
int checkRequest(MakeRequest& request, bool minimalGiven, bool cluesGiven) {
  if (request.minimality == Minimality::kNone && !cluesGiven) {
    request.minClues = kNotMinimalLowClues;
    request.maxClues = kNotMinimalHighClues;
  }
  if (!minimalGiven && request.minClues > kMostMinimalClues) request.minimality = Minimality::kNone;
  char reason[160];
  if (request.maxClues < kFewestClues) {
    std::snprintf(reason, sizeof reason, "no puzzle with fewer than %d clues has one solution",
                  kFewestClues);
    return refuseRequest(reason);
  }
  // Without a symmetry a minimal puzzle is minimal clue by clue.
  const bool strict =
      request.minimality == Minimality::kStrict ||
      (request.minimality == Minimality::kOrbits && request.symmetry == Symmetry::kNone);
  if (strict && request.minClues > kMostMinimalClues) {
    std::snprintf(reason, sizeof reason,
                  "no minimal puzzle with more than %d clues is known; --not-minimal puts "
                  "clues back",
                  kMostMinimalClues);
    return refuseRequest(reason);
  }
  if (request.symmetry == Symmetry::kRotate90 && !rotate90Reaches(request))
    return refuseRequest(
        "a quarter turn ties clues together in fours around the centre: a puzzle under "
        "rotate90 has a multiple of four clues, or one more");
  if (request.minRating > kHighestRating) {
    std::snprintf(reason, sizeof reason, "no rating on the scale passes %d.%d", kHighestRating / 10,
                  kHighestRating % 10);
    return refuseRequest(reason);
  }
  return -1;
}

}  // namespace

int readMakeArguments(int argc, char** argv, int processors, MakeOptions& options) {
  options = MakeOptions{
      1,
      {Symmetry::kRotate180, 0, kCellCount, 0, kNoRatingLimit, false, Minimality::kOrbits},
      false,
      0,
      false,
      false,
      false,
      defaultJobCount(processors),
      kDefaultGiveUp};
  MakeRequest& request = options.request;
  bool countGiven = false;
  bool ratingGiven = false;
  bool cluesGiven = false;
  bool minimalGiven = false;
  bool notMinimalGiven = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    // Every option but the flags takes the next argument as its value.
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (answerHelpOrVersion(arg, kProgram, kMakeUsage)) {
      return 0;
    } else if (std::strcmp(arg, "--stats") == 0) {
      options.stats = true;
    } else if (std::strcmp(arg, "--rate") == 0) {
      options.printRating = true;
    } else if (std::strcmp(arg, "--canonical") == 0) {
      options.canonical = true;
    } else if (std::strcmp(arg, "--not-minimal") == 0) {
      notMinimalGiven = true;
    } else if (std::strcmp(arg, "--minimal") == 0) {
      if (value == nullptr ||
          (std::strcmp(value, "orbits") != 0 && std::strcmp(value, "strict") != 0))
        return wrongValue(arg, "orbits or strict", value);
      request.minimality = value[0] == 's' ? Minimality::kStrict : Minimality::kOrbits;
      minimalGiven = true;
      ++i;
    } else if (std::strcmp(arg, "--symmetry") == 0) {
      if (value == nullptr || !readSymmetryName(value, &request.symmetry))
        return wrongValue(arg, "none, rotate180, rotate90, mirror, diagonal or any", value);
      ++i;
    } else if (std::strcmp(arg, "--clues") == 0) {
      const int read = readRangeOption(arg, "a range of clue counts such as 22-26, 30+ or 24",
                                       value, readCount, &request.minClues, &request.maxClues);
      if (read >= 0) return read;
      cluesGiven = true;
      ++i;
    } else if (std::strcmp(arg, "--rating") == 0) {
      const int read = readRangeOption(arg, "a range of ratings such as 1.0-2.3, 7.0+ or 4.4",
                                       value, readTenths, &request.minRating, &request.maxRating);
      if (read >= 0) return read;
      ratingGiven = true;
      ++i;
    } else if (std::strcmp(arg, "--seed") == 0) {
      if (value == nullptr || !readUnsignedNumber(value, UINT64_MAX, &options.seed))
        return wrongValue(arg, "a whole number from 0 to 18446744073709551615", value);
      options.seedGiven = true;
      ++i;
    } else if (std::strcmp(arg, "--jobs") == 0) {
      if (value == nullptr || !readJobCount(value, &options.jobs))
        return wrongValue(arg, "a number of threads, 1 or more", value);
      ++i;
    } else if (std::strcmp(arg, "--max-work") == 0) {
      if (value == nullptr || !readWorkBound(value, &options.request.workBound))
        return wrongValue(arg, "a number of chain nodes, 0 for no bound", value);
      ++i;
    } else if (std::strcmp(arg, "--give-up") == 0) {
      if (value == nullptr || !readWholeNumber(value, 1, 1LL << 60, &options.giveUp))
        return wrongValue(arg, "a number of candidates, 1 or more", value);
      ++i;
    } else if (arg[0] == '-') {
      return reportWrongArgument(kProgram, "unknown option", arg);
    } else if (countGiven || !readWholeNumber(arg, 1, 1LL << 60, &options.count)) {
      return reportWrongArgument(kProgram, "N is one number of puzzles, 1 or more, not", arg);
    } else {
      countGiven = true;
    }
  }
  if (minimalGiven && notMinimalGiven)
    return reportWrongArgument(kProgram, "--minimal and --not-minimal cannot both be given");
  if (notMinimalGiven) request.minimality = Minimality::kNone;
  request.rate = options.printRating || ratingGiven;
  return checkRequest(request, minimalGiven, cluesGiven);
}
