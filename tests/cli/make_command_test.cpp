// Tests of vantric-make run as a process. Every puzzle it writes is checked
// by the brute-force counter of the test support, which shares nothing with
// the solver the maker runs on.
#include <gtest/gtest.h>
#include <sys/wait.h>

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
#include "tests/support/brute_force.h"

namespace {

struct Made {
  int status;
  std::vector<std::string> lines;
  std::string err;
};

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

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

TEST(MakeCommand, WrongOrImpossibleRequestsEndWithAMessage) {
  for (const char* arguments :
       {"0", "3 4", "--symmetry twirl", "--clues 30-20", "--clues 82", "--rating 2.35",
        "--rating -1", "--seed -3", "--seed", "--jobs 0", "--give-up x", "--fast"}) {
    const Made made = make(arguments);
    EXPECT_EQ(made.status, 2) << arguments;
    EXPECT_TRUE(made.lines.empty()) << arguments;
    EXPECT_EQ(made.err.rfind("vantric-make: ", 0), 0u) << arguments << ": " << made.err;
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
  // No minimal puzzle has 60 clues: the run gives up after the bound.
  const Made none = make("--seed 1 --clues 60+ --give-up 40 --stats 5");
  EXPECT_EQ(none.status, 1);
  EXPECT_TRUE(none.lines.empty());
  EXPECT_NE(none.err.find("gave up after 40 candidates"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find("0 puzzles, 40 candidates, 40 rejected (40 clues"), std::string::npos)
      << none.err;
  const Made full = make("1000 > /dev/full");
  EXPECT_EQ(full.status, 3);
  EXPECT_NE(full.err.find("cannot write standard output"), std::string::npos) << full.err;
}

}  // namespace
