// Tests of vantric-make run as a process. Every puzzle it writes is checked
// by the brute-force counter of the test support, which shares nothing with
// the solver the maker runs on.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "logic/rating.h"
#include "logic/technique_names.h"
#include "state/version.h"
#include "tests/cli/command_process.h"
#include "tests/support/brute_force.h"
#include "tests/support/file_text.h"

namespace {

struct Made {
  int status;
  std::vector<std::string> lines;
  std::string err;
};

// Runs vantric-make with arguments (a redirection among them overrides the
// output file); its lines, standard error and exit status.
Made make(const std::string& arguments) {
  const std::string out = testing::TempDir() + "vantric_make_out";
  const std::string err = testing::TempDir() + "vantric_make_err";
  const std::string command =
      std::string("'") + VANTRIC_MAKE_PATH + "' > '" + out + "' 2> '" + err + "' " + arguments;
  const int raw = std::system(command.c_str());
  Made made{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, {}, readFile(err)};
  std::istringstream lines(readFile(out));
  for (std::string line; std::getline(lines, line);) made.lines.push_back(line);
  return made;
}

// The first 81 characters of a line as a board; false unless each is a
// digit 1-9 or a dot.
bool readBoard(const std::string& line, int board[kCellCount]) {
  if (line.size() < kCellCount) return false;
  for (int c = 0; c < kCellCount; ++c) {
    const char ch = line[std::size_t(c)];
    if (ch != '.' && (ch < '1' || ch > '9')) return false;
    board[c] = ch == '.' ? 0 : ch - '0';
  }
  return true;
}

const char* const kSymmetries[] = {"none", "rotate180", "rotate90", "mirror", "diagonal"};

// Where each symmetry sends a cell, as the usage text describes it.
int imageOf(int symmetry, int cell) {
  const int row = cell / 9;
  const int column = cell % 9;
  switch (symmetry) {
    case 1:
      return (8 - row) * 9 + (8 - column);
    case 2:
      return column * 9 + (8 - row);
    case 3:
      return row * 9 + (8 - column);
    case 4:
      return column * 9 + row;
    default:
      return cell;
  }
}

bool follows(const int board[kCellCount], int symmetry) {
  for (int c = 0; c < kCellCount; ++c)
    if ((board[c] == 0) != (board[imageOf(symmetry, c)] == 0)) return false;
  return true;
}

// True when emptying any one orbit of clues leaves two or more solutions.
bool isMinimal(const int board[kCellCount], int symmetry) {
  for (int c = 0; c < kCellCount; ++c) {
    // Each orbit once, from its lowest cell.
    bool lowest = board[c] != 0;
    for (int image = imageOf(symmetry, c); image != c; image = imageOf(symmetry, image))
      lowest = lowest && image > c;
    if (!lowest) continue;
    int fewer[kCellCount];
    for (int k = 0; k < kCellCount; ++k) fewer[k] = board[k];
    for (int image = c; fewer[image] != 0; image = imageOf(symmetry, image)) fewer[image] = 0;
    if (countCompletions(fewer, 2) < 2) return false;
  }
  return true;
}

// True when emptying any one clue leaves two or more solutions.
bool isStrictlyMinimal(const int board[kCellCount]) {
  for (int c = 0; c < kCellCount; ++c) {
    if (board[c] == 0) continue;
    int fewer[kCellCount];
    for (int k = 0; k < kCellCount; ++k) fewer[k] = board[k];
    fewer[c] = 0;
    if (countCompletions(fewer, 2) < 2) return false;
  }
  return true;
}

int clueCount(const int board[kCellCount]) {
  int count = 0;
  for (int c = 0; c < kCellCount; ++c) count += board[c] != 0;
  return count;
}

// Each line a puzzle with one solution, minimal under symmetry and with a
// clue count in bounds; for "any", under one of the five.
void expectGoodPuzzles(const Made& made, int symmetry, int minClues, int maxClues) {
  for (const std::string& line : made.lines) {
    int board[kCellCount];
    ASSERT_TRUE(readBoard(line, board) && line.size() == kCellCount) << line;
    EXPECT_EQ(countCompletions(board, 2), 1) << line;
    EXPECT_GE(clueCount(board), minClues) << line;
    EXPECT_LE(clueCount(board), maxClues) << line;
    bool good = false;
    for (int s = 0; s < 5 && !good; ++s)
      good = (symmetry < 0 || s == symmetry) && follows(board, s) && isMinimal(board, s);
    EXPECT_TRUE(good) << line << " is not minimal under its symmetry";
  }
}

TEST(MakeCommand, PuzzlesHaveOneSolutionAndAreMinimalUnderTheirSymmetry) {
  for (int s = 0; s < 5; ++s) {
    const Made made = make(std::string("--seed 11 --symmetry ") + kSymmetries[s] + " 250");
    ASSERT_EQ(made.status, 0) << made.err;
    ASSERT_EQ(made.lines.size(), 250u);
    expectGoodPuzzles(made, s, 17, kCellCount);
  }
  // "any" draws each puzzle's symmetry: the quarter turn shows, and not
  // every puzzle follows a half turn.
  const Made any = make("--seed 12 --symmetry any 250");
  ASSERT_EQ(any.status, 0) << any.err;
  expectGoodPuzzles(any, -1, 17, kCellCount);
  int quarterTurns = 0;
  int noHalfTurn = 0;
  for (const std::string& line : any.lines) {
    int board[kCellCount];
    readBoard(line, board);
    quarterTurns += follows(board, 2);
    noHalfTurn += !follows(board, 1);
  }
  EXPECT_GT(quarterTurns, 20);
  EXPECT_GT(noHalfTurn, 50);

  const Made bounded = make("--seed 13 --symmetry none --clues 23-24 100");
  ASSERT_EQ(bounded.status, 0) << bounded.err;
  ASSERT_EQ(bounded.lines.size(), 100u);
  expectGoodPuzzles(bounded, 0, 23, 24);
  const Made exact = make("--seed 13 --clues 26 --jobs 2 30");
  ASSERT_EQ(exact.status, 0) << exact.err;
  ASSERT_EQ(exact.lines.size(), 30u);
  expectGoodPuzzles(exact, 1, 26, 26);
}

TEST(MakeCommand, OneSeedGivesTheSameLinesOnAnyNumberOfJobs) {
  // The clue bounds refuse about half the candidates, so the batches of
  // candidates differ with the jobs.
  const Made one = make("--seed 99 --symmetry any --clues 24-27 --jobs 1 300");
  ASSERT_EQ(one.status, 0) << one.err;
  ASSERT_EQ(one.lines.size(), 300u);
  for (const char* jobs : {"2", "5"}) {
    const Made more =
        make(std::string("--seed 99 --symmetry any --clues 24-27 --jobs ") + jobs + " 300");
    EXPECT_EQ(more.lines, one.lines) << jobs << " jobs";
  }
  // Fewer puzzles are the first lines of more.
  const Made fewer = make("--seed 99 --symmetry any --clues 24-27 20");
  EXPECT_EQ(fewer.lines, std::vector<std::string>(one.lines.begin(), one.lines.begin() + 20));
  EXPECT_NE(make("--seed 100 --symmetry any --clues 24-27 20").lines, fewer.lines);
  // Without a seed every run differs, and --stats shows the seed drawn.
  const Made first = make("--stats 20");
  const Made second = make("--stats 20");
  EXPECT_NE(first.lines, second.lines);
  const std::size_t at = first.err.find("seed ");
  ASSERT_NE(at, std::string::npos) << first.err;
  EXPECT_EQ(make("--seed " + first.err.substr(at + 5, first.err.find('\n') - at - 5) + " 20").lines,
            first.lines);
  EXPECT_NE(first.err.find("20 puzzles, 20 candidates, 0 rejected"), std::string::npos)
      << first.err;
}

// The rating fields are those of the rating engine, and the bounds hold.
TEST(MakeCommand, RatingsLieInTheRangeAsked) {
  auto context = std::make_unique<LogicContext>();
  const struct {
    const char* arguments;
    int low;
    int high;
  } cases[] = {{"--rating 1.2", 12, 12}, {"--rating 3.0-4.5", 30, 45}, {"--rating 6.6+", 66, 999}};
  for (const auto& test : cases) {
    const Made made = make(std::string("--seed 5 --rate ") + test.arguments + " 12");
    ASSERT_EQ(made.status, 0) << made.err;
    ASSERT_EQ(made.lines.size(), 12u) << test.arguments;
    for (const std::string& line : made.lines) {
      int board[kCellCount];
      ASSERT_TRUE(readBoard(line, board)) << line;
      RatingResult result;
      ratePuzzle(*context, board, result);
      const int tenths = ratingTenths(result.rating);
      char name[64];
      writeTechniqueName(result.hardest, result.hardestLevel, name, sizeof name);
      std::ostringstream fields;
      fields << ' ' << tenths / 10 << '.' << tenths % 10 << ' ' << name;
      EXPECT_EQ(line.substr(kCellCount), fields.str()) << line;
      EXPECT_GE(tenths, test.low) << line;
      EXPECT_LE(tenths, test.high) << line;
    }
  }
}

// A run asking for exactly one rating keeps every candidate of it and
// nothing else: the same lines, in order, as a run that keeps every
// candidate and prints its rating. 2.3 is the most singles alone can rate,
// and those the singles solve are kept too; 4.2 lies between two ratings
// that the candidates have, 4.1 and 4.3.
TEST(MakeCommand, AnExactRatingKeepsEveryCandidateOfIt) {
  const Made all = make("--seed 5 --rate 1300");
  ASSERT_EQ(all.status, 0) << all.err;
  for (const char* rating : {"2.3", "4.2"}) {
    std::vector<std::string> rated;
    for (const std::string& line : all.lines) {
      if (line.compare(kCellCount, 5, std::string(" ") + rating + " ") == 0) rated.push_back(line);
    }
    ASSERT_GE(rated.size(), 10u) << rating;
    rated.resize(10);
    const Made exact = make(std::string("--seed 5 --rate 10 --rating ") + rating);
    ASSERT_EQ(exact.status, 0) << exact.err;
    EXPECT_EQ(exact.lines, rated) << rating;
  }
}

// The work bound reaches the maker's ratings: with almost none, the
// candidates that need the chain engine are left unrated and none is kept.
TEST(MakeCommand, WorkBoundReachesTheRatings) {
  const std::string request = "--rating 7.5+ --seed 3 --give-up 300 --stats 2";
  const Made bounded = make(request);
  ASSERT_EQ(bounded.status, 0) << bounded.err;
  EXPECT_EQ(bounded.lines.size(), 2u);
  const Made starved = make(request + " --max-work 1");
  EXPECT_EQ(starved.status, 1) << starved.err;
  EXPECT_TRUE(starved.lines.empty());
  EXPECT_EQ(starved.err.find(" 0 unrated)"), std::string::npos) << starved.err;
  EXPECT_EQ(make("--max-work x 1").status, 2);
}

// A wrong argument is named in one line, which the line pointing to --help
// follows, as the GNU tools do; numbers are digits alone. A request no
// puzzle can meet is refused at once with its reason; one that is only
// seldom met runs until it gives up.
TEST(MakeCommand, WrongOrImpossibleRequestsEndWithAMessage) {
  for (const char* arguments : {"0",
                                "3 4",
                                "--symmetry twirl",
                                "--clues 30-20",
                                "--clues 82",
                                "--rating 2.35",
                                "--rating -1",
                                "--seed -3",
                                "--seed ' -5'",
                                "--seed +5",
                                "--seed '5 '",
                                "--seed 18446744073709551616",
                                "--seed",
                                "--jobs 0",
                                "--jobs ' 2'",
                                "--give-up x",
                                "--give-up +3",
                                "' 3'",
                                "--minimal loose",
                                "--minimal",
                                "--minimal strict --not-minimal",
                                "--fast"}) {
    const Made made = make(arguments);
    EXPECT_EQ(made.status, 2) << arguments;
    EXPECT_TRUE(made.lines.empty()) << arguments;
    EXPECT_EQ(made.err.rfind("vantric-make: ", 0), 0u) << arguments << ": " << made.err;
    const std::size_t lineEnd = made.err.find('\n');
    EXPECT_EQ(made.err.substr(lineEnd + 1), "Try 'vantric-make --help'.\n") << arguments;
  }
  EXPECT_EQ(make("--seed ' -5'").err,
            "vantric-make: --seed wants a whole number from 0 to 18446744073709551615, not "
            "' -5'\nTry 'vantric-make --help'.\n");
  for (const char* reversed : {"--clues 30-20", "--rating 7.0-3.0"}) {
    const Made made = make(reversed);
    EXPECT_NE(made.err.find("wants its smaller bound first, not '"), std::string::npos) << made.err;
  }
  EXPECT_EQ(make("--seed 18446744073709551615 --stats 1").status, 0);
  const struct {
    const char* arguments;
    const char* reason;
  } impossible[] = {
      {"--minimal strict --clues 41", "no minimal puzzle with more than 40 clues is known"},
      {"--symmetry none --clues 41-50 --minimal orbits", "more than 40 clues is known"},
      {"--rating 16.4+", "no rating on the scale passes 16.3"},
      {"--symmetry rotate90 --clues 26-27", "a multiple of four clues, or one more"}};
  for (const auto& request : impossible) {
    const Made made = make(request.arguments);
    EXPECT_EQ(made.status, 1) << request.arguments;
    EXPECT_NE(made.err.find(request.reason), std::string::npos) << made.err;
    EXPECT_EQ(made.err.find('\n'), made.err.size() - 1) << made.err;
  }
  // At the bounds the run goes on: a quarter turn's orbit-minimal puzzles
  // reach 44 clues. Seeded, for a drawn run of three candidates makes one of
  // these now and then (a quarter turn's 25 clues once in some 300 runs).
  for (const char* seldom :
       {"--rating 16.3 --give-up 3 --seed 1", "--minimal strict --clues 40 --give-up 3 --seed 1",
        "--symmetry rotate90 --minimal orbits --clues 44 --give-up 3 --seed 1",
        "--symmetry rotate90 --clues 25-26 --give-up 3 --seed 1"}) {
    const Made made = make(seldom);
    EXPECT_EQ(made.status, 1) << seldom;
    EXPECT_NE(made.err.find("gave up after 3 candidates"), std::string::npos) << made.err;
  }
  // Help and the version end the run at once, on standard output.
  const Made help = make("--help 3");
  EXPECT_EQ(help.status, 0);
  ASSERT_FALSE(help.lines.empty());
  EXPECT_EQ(help.lines[0], "Usage: vantric-make [OPTION...] [N]");
  const Made version = make("--version");
  EXPECT_EQ(version.status, 0);
  ASSERT_EQ(version.lines.size(), 1u);
  EXPECT_EQ(version.lines[0], std::string("vantric-make version ") + kVersionText);
  // More jobs than threads kept for workers are capped.
  const Made capped = make("--seed 1 --jobs 99999999999 --stats 1");
  EXPECT_EQ(capped.status, 0);
  EXPECT_NE(capped.err.find(" on 64 jobs,"), std::string::npos) << capped.err;
  const Made tooFew = make("--clues 10-16");
  EXPECT_EQ(tooFew.status, 1);
  EXPECT_NE(tooFew.err.find("fewer than 17 clues"), std::string::npos) << tooFew.err;
  // Few minimal puzzles have 36 clues: the run gives up after the bound and
  // says what would meet it.
  const Made none = make("--seed 1 --clues 36 --give-up 40 --stats 5");
  EXPECT_EQ(none.status, 1);
  EXPECT_TRUE(none.lines.empty());
  EXPECT_NE(none.err.find("gave up after 40 candidates"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find("--not-minimal puts clues back"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find("0 puzzles, 40 candidates, 40 rejected (40 clues"), std::string::npos)
      << none.err;
  const Made full = make("1000 > /dev/full");
  EXPECT_EQ(full.status, 3);
  EXPECT_NE(full.err.find("cannot write standard output"), std::string::npos) << full.err;
}

// --not-minimal puts orbits of the solution back: the counts spread over the
// range asked, the symmetry holds, the puzzle keeps its one solution, many
// are no longer minimal, and one seed gives the same lines on any number of
// jobs. Without --clues it aims at 32-38; --clues above 40 asks for it.
TEST(MakeCommand, NotMinimalPutsCluesBackUnderTheSymmetry) {
  for (int s = 1; s < 5; ++s) {
    const Made made = make(std::string("--seed 21 --not-minimal --clues 32-38 --symmetry ") +
                           kSymmetries[s] + " 40");
    ASSERT_EQ(made.status, 0) << made.err;
    ASSERT_EQ(made.lines.size(), 40u);
    std::set<int> counts;
    int notMinimal = 0;
    for (const std::string& line : made.lines) {
      int board[kCellCount];
      ASSERT_TRUE(readBoard(line, board)) << line;
      EXPECT_EQ(countCompletions(board, 2), 1) << line;
      EXPECT_TRUE(follows(board, s)) << line;
      counts.insert(clueCount(board));
      notMinimal += !isMinimal(board, s);
    }
    EXPECT_GE(*counts.begin(), 32) << kSymmetries[s];
    EXPECT_LE(*counts.rbegin(), 38) << kSymmetries[s];
    EXPECT_GE(counts.size(), 3u) << kSymmetries[s];
    EXPECT_GT(notMinimal, 20) << kSymmetries[s];
  }
  const Made one = make("--seed 22 --not-minimal --symmetry any --jobs 1 100");
  const Made three = make("--seed 22 --not-minimal --symmetry any --jobs 3 100");
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(three.lines, one.lines);
  for (const std::string& line : one.lines) {
    int board[kCellCount];
    ASSERT_TRUE(readBoard(line, board)) << line;
    EXPECT_GE(clueCount(board), 32) << line;
    EXPECT_LE(clueCount(board), 38) << line;
  }
  const Made implied = make("--seed 23 --clues 45-50 30");
  ASSERT_EQ(implied.status, 0) << implied.err;
  ASSERT_EQ(implied.lines.size(), 30u);
  for (const std::string& line : implied.lines) {
    int board[kCellCount];
    ASSERT_TRUE(readBoard(line, board)) << line;
    EXPECT_EQ(countCompletions(board, 2), 1) << line;
    EXPECT_GE(clueCount(board), 45) << line;
    EXPECT_LE(clueCount(board), 50) << line;
  }
}

// Under a symmetry a puzzle is minimal orbit by orbit, so some of the
// default ones lose a single clue and keep their one solution; --minimal
// strict keeps only those that need every clue.
TEST(MakeCommand, StrictMinimalityNeedsEveryClue) {
  const Made orbits = make("--seed 31 --symmetry rotate180 100");
  ASSERT_EQ(orbits.status, 0) << orbits.err;
  int strict = 0;
  for (const std::string& line : orbits.lines) {
    int board[kCellCount];
    ASSERT_TRUE(readBoard(line, board)) << line;
    strict += isStrictlyMinimal(board);
  }
  EXPECT_LT(strict, 95);
  const Made made = make("--seed 31 --symmetry rotate180 --minimal strict --stats 30");
  ASSERT_EQ(made.status, 0) << made.err;
  ASSERT_EQ(made.lines.size(), 30u);
  expectGoodPuzzles(made, 1, 17, kCellCount);
  for (const std::string& line : made.lines) {
    int board[kCellCount];
    ASSERT_TRUE(readBoard(line, board)) << line;
    EXPECT_TRUE(isStrictlyMinimal(board)) << line;
  }
  EXPECT_EQ(made.err.find(", 0 not minimal)"), std::string::npos) << made.err;
}

std::string scratchPath(const char* name) {
  return testing::TempDir() + "vantric_make_" + name;
}

int openForWriting(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each puzzle goes out as soon as it and those before it are made: a reader
// that takes five of a slow request's million gets them at once, and once
// it has gone the run ends with status 3, SIGPIPE at its default. The
// request's candidates are made 4,096 a batch.
TEST(MakeCommand, PuzzlesGoOutAsMadeAndAClosedPipeEndsTheRun) {
  int toTest[2];
  ASSERT_EQ(pipe2(toTest, O_CLOEXEC), 0);
  const int none = open("/dev/null", O_RDONLY | O_CLOEXEC);
  const std::string err = scratchPath("pipe_err");
  const int errors = openForWriting(err);
  CommandProcess maker;
  startCommand(maker, VANTRIC_MAKE_PATH,
               {"--rating", "8.0+", "--jobs", "2", "--seed", "4", "1000000"}, none, toTest[1],
               errors);
  close(toTest[1]);
  close(none);
  close(errors);
  for (int i = 0; i < 5; ++i) {
    const std::string line = readLineWithin(maker, toTest[0], 20.0);
    ASSERT_EQ(line.size(), std::size_t(kCellCount)) << "line " << i << ": " << line;
  }
  close(toTest[0]);
  EXPECT_EQ(waitWithin(maker, 20.0), 3);
  EXPECT_EQ(readFile(err), "vantric-make: cannot write standard output: Broken pipe\n");

  // The first line comes before thousands of candidates are made: Ctrl-C on
  // its arrival finds a few hundred tried.
  ASSERT_EQ(pipe2(toTest, O_CLOEXEC), 0);
  const int nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);
  const int stats = openForWriting(err);
  startCommand(maker, VANTRIC_MAKE_PATH,
               {"--rating", "8.0+", "--jobs", "2", "--seed", "4", "--stats", "1000000"}, nothing,
               toTest[1], stats);
  close(toTest[1]);
  close(nothing);
  close(stats);
  ASSERT_EQ(readLineWithin(maker, toTest[0], 20.0).size(), std::size_t(kCellCount));
  kill(maker.pid, SIGINT);
  int lines = 1;
  while (readLineWithin(maker, toTest[0], 20.0).size() == kCellCount) ++lines;
  close(toTest[0]);
  EXPECT_EQ(waitWithin(maker, 20.0), 130);
  const std::string summary = readFile(err);
  long long made = 0;
  long long tried = 0;
  ASSERT_EQ(
      std::sscanf(summary.c_str(), "vantric-make: %lld puzzles, %lld candidates", &made, &tried), 2)
      << summary;
  EXPECT_EQ(made, lines);
  EXPECT_LT(tried, 2000) << summary;
}

// Ctrl-C ends a run with status 130 on whole lines, with every puzzle made
// written: --stats counts them, and they are the first lines of the same
// seed's run. Standard error, a file here, shows no progress line.
TEST(MakeCommand, CtrlCEndsOnWholeLinesWithWhatWasMade) {
  const std::string out = scratchPath("interrupted_out");
  const std::string err = scratchPath("interrupted_err");
  const int none = open("/dev/null", O_RDONLY | O_CLOEXEC);
  const int output = openForWriting(out);
  const int errors = openForWriting(err);
  const auto start = std::chrono::steady_clock::now();
  CommandProcess maker;
  startCommand(maker, VANTRIC_MAKE_PATH, {"--seed", "6", "--rating", "7.0+", "--stats", "100000"},
               none, output, errors);
  close(none);
  close(output);
  close(errors);
  // Past the second after which a terminal would show progress, and some
  // puzzles written.
  while (secondsSince(start) < 1.5 || readFile(out).empty()) {
    ASSERT_LT(secondsSince(start), 30.0) << "no puzzle written";
    poll(nullptr, 0, 20);
  }
  kill(maker.pid, SIGINT);
  EXPECT_EQ(waitWithin(maker, 20.0), 130);
  const std::string text = readFile(out);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  std::vector<std::string> lines;
  std::istringstream split(text);
  for (std::string line; std::getline(split, line);) lines.push_back(line);
  const std::string stats = readFile(err);
  EXPECT_EQ(stats.rfind("vantric-make: " + std::to_string(lines.size()) + " puzzles, ", 0), 0u)
      << stats;
  EXPECT_EQ(stats.find('\r'), std::string::npos) << stats;
  EXPECT_EQ(make("--seed 6 --rating 7.0+ " + std::to_string(lines.size())).lines, lines);
}

// On a terminal a run longer than a second shows its progress on standard
// error, rewritten in place, and takes it away at the end.
TEST(MakeCommand, ProgressOnATerminalIsRewrittenAndCleared) {
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(grantpt(terminal), 0);
  ASSERT_EQ(unlockpt(terminal), 0);
  const int side = open(ptsname(terminal), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(side, 0);
  const int none = open("/dev/null", O_RDWR | O_CLOEXEC);
  CommandProcess maker;
  startCommand(maker, VANTRIC_MAKE_PATH, {"--seed", "7", "--rating", "7.0+", "1000000"}, none, none,
               side);
  close(side);
  close(none);
  const std::string drawn = "\rvantric-make: made ";
  std::string seen;
  const auto start = std::chrono::steady_clock::now();
  // Until the line has been drawn twice.
  while (std::count(seen.begin(), seen.end(), '\r') < 2) {
    ASSERT_LT(secondsSince(start), 30.0) << "no progress line: " << seen;
    pollfd ready = {terminal, POLLIN, 0};
    char chunk[512];
    if (poll(&ready, 1, 100) == 1) {
      const ssize_t count = read(terminal, chunk, sizeof chunk);
      ASSERT_GT(count, 0);
      seen.append(chunk, std::size_t(count));
    }
  }
  kill(maker.pid, SIGINT);
  seen += readAllWithin(terminal, 20.0);
  EXPECT_EQ(waitWithin(maker, 20.0), 130);
  close(terminal);
  // Each draw begins its line afresh; the last is blanked out.
  ASSERT_EQ(seen.rfind(drawn, 0), 0u) << seen;
  const std::size_t last = seen.rfind(drawn);
  const std::size_t cleared = seen.find('\r', last + 1);
  ASSERT_NE(cleared, std::string::npos) << seen;
  // A shorter line than the one before it is padded with blanks, which need
  // no clearing again.
  const std::string lastLine = seen.substr(last + 1, cleared - last - 1);
  const std::size_t shown = lastLine.find_last_not_of(' ') + 1;
  EXPECT_EQ(seen.substr(cleared), "\r" + std::string(shown, ' ') + "\r") << seen;
  EXPECT_NE(seen.find(" of 1000000, tried "), std::string::npos) << seen;
  EXPECT_NE(seen.find(" puzzles/s"), std::string::npos) << seen;
}

}  // namespace
