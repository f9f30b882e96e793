// vantric-solve run as a process on the lists the field publishes, with
// --format, and with --hint and --explain on players' positions.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/output_format.h"
#include "cli/result_text.h"
#include "logic/rating.h"
#include "logic/step_text.h"
#include "logic/technique_names.h"
#include "tests/logic/logic_support.h"
#include "tests/support/file_text.h"

namespace {

struct Outcome {
  int status;
  std::vector<std::string> out;
  std::string err;
};

// Runs vantric-solve with arguments on input, in a folder of its own.
Outcome run(const std::string& arguments, const std::string& input) {
  static const std::string folder = [] {
    std::string path = testing::TempDir() + "vantric_formats_XXXXXX";
    if (mkdtemp(path.data()) == nullptr) std::abort();
    return path + "/";
  }();
  std::ofstream(folder + "in", std::ios::binary) << input;
  const std::string command = std::string("'") + VANTRIC_SOLVE_PATH + "' " + arguments + " < '" +
                              folder + "in' > '" + folder + "out' 2> '" + folder + "err'";
  const int raw = std::system(command.c_str());
  Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, {}, readFile(folder + "err")};
  std::istringstream lines(readFile(folder + "out"));
  for (std::string line; std::getline(lines, line);) outcome.out.push_back(line);
  return outcome;
}

std::vector<std::string> listLines(const char* name) {
  std::ifstream list(std::string(VANTRIC_DATA_DIR) + "/rated/" + name);
  std::vector<std::string> lines;
  for (std::string line; std::getline(list, line);) lines.push_back(line);
  return lines;
}

std::string lastField(const std::string& line) {
  return line.substr(line.rfind(' ') + 1);
}

// One step of a rating's path: the grid it was found on, and its lines as
// --explain and --hint write them.
struct PathStep {
  LogicGrid grid;
  std::string line;
  std::string rating;
};

void recordStep(const Step& step, const LogicGrid& grid, void* data) {
  char text[2048];
  formatRatedStep(step, text, int(sizeof text));
  char fields[kRatingFieldsSize];
  appendRatingFields(fields, 0, ratingTenths(step.rating), step.technique, step.level);
  static_cast<std::vector<PathStep>*>(data)->push_back(
      {grid, std::string("  ") + text, std::string("  rating ") + fields});
}

std::string cellsText(const LogicGrid& grid) {
  std::string text;
  for (CellIndex c = 0; c < kCellCount; ++c)
    text += grid.value[c] ? char('0' + grid.value[c]) : '.';
  return text;
}

int cellMarks(const LogicGrid& grid, CellIndex c) {
  return grid.value[c] != 0 ? digitBit(grid.value[c]) : grid.candidates[c];
}

std::string marksText(const LogicGrid& grid) {
  std::string text;
  for (CellIndex c = 0; c < kCellCount; ++c)
    for (int digit = 1; digit <= 9; ++digit)
      text += cellMarks(grid, c) & digitBit(digit) ? char('0' + digit) : '.';
  return text;
}

std::string groupsText(const LogicGrid& grid) {
  std::string text;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    text += c % 27 == 0 ? " " : c % 3 == 0 ? " | " : " ";
    for (int digit = 1; digit <= 9; ++digit)
      if (cellMarks(grid, c) & digitBit(digit)) text += char('0' + digit);
  }
  return text;
}

bool hasSingleCandidate(const LogicGrid& grid) {
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (grid.value[c] == 0 && candidateCount(grid.candidates[c]) == 1) return true;
  return false;
}

std::string cellName(CellIndex c) {
  return "r" + std::to_string(c / 9 + 1) + "c" + std::to_string(c % 9 + 1);
}

}  // namespace

// The lists' own lines: the dev list's HASH PUZZLE RATING gives the
// grader's rating on every line, and the positions' POSITION ER/EP/ED come
// back byte for byte from --format '%g %r/%p/%d'.
TEST(SolveFormats, ListsReadAsTheyArePublished) {
  const std::vector<std::string> dev = listLines("se_rated_dev.txt");
  ASSERT_EQ(dev.size(), 1600u);
  std::string input;
  for (const std::string& line : dev) input += line + "\n";
  const Outcome rated = run("--rate --jobs 2", input);
  ASSERT_EQ(rated.status, 0) << rated.err;
  ASSERT_EQ(rated.out.size(), dev.size());
  for (std::size_t i = 0; i < dev.size(); ++i) {
    std::istringstream fields(rated.out[i]);
    std::string verdict, nodes, depth, seconds, solution, rating;
    fields >> verdict >> nodes >> depth >> seconds >> solution >> rating;
    const std::string puzzle = dev[i].substr(13, kCellCount);
    for (CellIndex c = 0; c < kCellCount; ++c) {
      if (puzzle[std::size_t(c)] != '0') {
        ASSERT_EQ(solution[std::size_t(c)], puzzle[std::size_t(c)]) << dev[i];
      }
    }
    EXPECT_EQ(rating, lastField(dev[i])) << dev[i];
  }

  const std::vector<std::string> positions = listLines("se_rated_positions_dev.txt");
  ASSERT_EQ(positions.size(), 200u);
  input.clear();
  for (const std::string& line : positions) input += line + "\n";
  const Outcome formatted = run("--format '%g %r/%p/%d'", input);
  ASSERT_EQ(formatted.status, 0);
  EXPECT_EQ(formatted.out, positions);
}

std::vector<std::string> splitAtBars(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream parts(line);
  for (std::string field; std::getline(parts, field, '|');) fields.push_back(field);
  return fields;
}

// Every field of --format beside the line the options write, for puzzles
// with one solution, none, several and a repeated digit; and the fields an
// unfinished rating gives.
TEST(SolveFormats, FormatFields) {
  const std::string puzzles[] = {
      ".83.2..9....8..1...293....8....987...7.....6...674....3....698...2..5....1..3.54.",
      "1................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...",
      std::string(kCellCount, '.'), "55" + std::string(79, '.')};
  const std::string input = "# list\n" + puzzles[0] + " 7.2\n\n" + puzzles[1] + "\n" + puzzles[2] +
                            "\n" + puzzles[3] + "\n";
  const Outcome plain = run("--count --rate", input);
  const Outcome formatted = run("--format '%i|%g|%s|%c|%r|%p|%d|%t|%T|%%'", input);
  ASSERT_EQ(formatted.status, 0);
  ASSERT_EQ(plain.out.size(), 4u);
  ASSERT_EQ(formatted.out.size(), 4u);
  const char* const numbers[] = {"2", "4", "5", "6"};
  const char* const ratings[] = {"7.2|1.2|1.2|ForcingChain", "-|-|-|NoSolution",
                                 "-|-|-|MultipleSolutions", "-|-|-|Invalid"};
  for (int i = 0; i < 4; ++i) {
    std::istringstream line(plain.out[std::size_t(i)]);
    std::string verdict, nodes, depth, seconds, grid, count;
    line >> verdict >> nodes >> depth >> seconds >> grid >> count;
    const std::vector<std::string> fields = splitAtBars(formatted.out[std::size_t(i)]);
    ASSERT_EQ(fields.size(), 10u) << formatted.out[std::size_t(i)];
    EXPECT_EQ(fields[0], numbers[i]);
    EXPECT_EQ(fields[1], puzzles[i]);
    EXPECT_EQ(fields[2], grid);
    EXPECT_EQ(fields[3], count);
    EXPECT_EQ(fields[4] + "|" + fields[5] + "|" + fields[6] + "|" + fields[7], ratings[i]);
    if (i == 0) {
      EXPECT_GT(std::stod(fields[8]), 0.0);
      EXPECT_EQ(fields[8].size(), fields[8].find('.') + 7);
    } else {
      EXPECT_EQ(fields[8], "-");
    }
    EXPECT_EQ(fields[9], "%");
  }

  // An unfinished rating settles ED at its first step and EP at its first
  // digit placed; until then they are at least the rating reached.
  GridText grid{};
  RatingResult result{};
  result.finished = false;
  result.rating = 9.6;
  result.reached = 9.6;
  const FormatValues values = {&grid, nullptr, 1, 7, &result, "Unfinished", 1.5, nullptr};
  std::string out;
  appendFormattedLine(out, "%r %p %d %t", values);
  result.stepCount = 3;
  result.firstStepRating = 2.6;
  appendFormattedLine(out, "%r %p %d %t", values);
  result.firstPlacementRating = 7.3;
  appendFormattedLine(out, "%r %p %d %t", values);
  result.finished = true;
  appendFormattedLine(out, "%r %p %d %t", values);
  EXPECT_EQ(out,
            ">=9.6 >=9.6 >=9.6 Unfinished\n>=9.6 >=9.6 2.6 Unfinished\n"
            ">=9.6 7.3 2.6 Unfinished\n9.6 7.3 2.6 HiddenSingle\n");

  for (const char* wrong : {"--format '%g %x'", "--format '%g %'", "--format"}) {
    const Outcome bad = run(wrong, puzzles[0] + "\n");
    EXPECT_EQ(bad.status, 2) << wrong;
    EXPECT_TRUE(bad.out.empty()) << wrong;
    EXPECT_EQ(bad.err.rfind("vantric-solve: --format ", 0), 0u) << bad.err;
  }
  EXPECT_NE(run("--format '%x'", "").err.find("no field '%x'"), std::string::npos);
}

// Positions half-way along the rater's paths through rated puzzles, given
// as the player's digits, as pencil marks of 729 cells and as candidate
// groups, after the givens or alone: the hint is the path's next step, and
// --explain from the marks the rest of the path. Wrong digits, wrong marks
// and lost givens are listed instead.
TEST(SolveFormats, HintsAlongThePaths) {
  const std::vector<std::string> puzzles = readPuzzleSample("rated/se_rated_dev.txt", 16, 100);
  const std::vector<std::string> clues =
      readPuzzleSample("rated/se_rated_17clue_sample.txt", 20, 30);
  auto context = std::make_unique<LogicContext>();
  std::string input;
  std::string marksAlone;
  std::vector<std::vector<std::string>> hints;
  std::vector<std::vector<std::string>> explanations;
  for (const std::vector<std::string>* list : {&puzzles, &clues}) {
    for (const std::string& puzzle : *list) {
      int board[kCellCount];
      readBoard(puzzle, board);
      int solution[kCellCount];
      ASSERT_EQ(solvePuzzle(puzzle, solution), 1);
      std::vector<PathStep> path;
      RatingResult result;
      ratePuzzle(*context, board, result, recordStep, &path);
      ASSERT_TRUE(result.finished);
      // Pencil marks write a cell of one candidate as a filled cell: the
      // position is taken where the path has none.
      std::size_t k = path.size() / 2;
      while (k < path.size() && hasSingleCandidate(path[k].grid)) ++k;
      if (k == path.size()) continue;
      const LogicGrid& grid = path[k].grid;
      const std::vector<std::string> next = {path[k].line, path[k].rating};
      int placed[kCellCount];
      for (CellIndex c = 0; c < kCellCount; ++c) placed[c] = grid.value[c];
      ASSERT_TRUE(findNextStep(*context, placed));
      char text[2048];
      formatRatedStep(context->step, text, int(sizeof text));
      char fields[kRatingFieldsSize];
      appendRatingFields(fields, 0, ratingTenths(context->step.rating), context->step.technique,
                         context->step.level);
      const std::string dotted = cellsText(grid);
      input += puzzle + " " + dotted + "\n";
      hints.push_back({std::string("  ") + text, std::string("  rating ") + fields});
      for (const std::string& line :
           {puzzle + " " + marksText(grid), puzzle + groupsText(grid), marksText(grid)}) {
        input += line + "\n";
        hints.push_back(next);
      }
      marksAlone += marksText(grid) + "\n";
      std::vector<std::string> rest;
      for (std::size_t i = k; i < path.size(); ++i) rest.push_back(path[i].line);
      explanations.push_back(rest);

      // A wrong digit among the candidates, a solution's digit left out of
      // three or more marks, and a given erased.
      LogicGrid wrong = grid;
      CellIndex cell = 0;
      while (cell < kCellCount && candidateCount(grid.candidates[cell]) < 3) ++cell;
      if (cell == kCellCount) continue;
      const int others = grid.candidates[cell] & ~digitBit(solution[cell]);
      wrong.value[cell] = std::uint8_t(firstDigit(others));
      wrong.candidates[cell] = 0;
      input += puzzle + " " + marksText(wrong) + "\n";
      hints.push_back(
          {"  " + cellName(cell) + "=" + std::to_string(firstDigit(others)) + " is wrong",
           "  rating - WrongPosition"});
      LogicGrid lost = grid;
      lost.candidates[cell] = std::uint16_t(others);
      input += puzzle + groupsText(lost) + "\n";
      hints.push_back({"  " + cellName(cell) + "<>" + std::to_string(solution[cell]) +
                           " is wrong: the pencil marks leave out the cell's digit",
                       "  rating - WrongPosition"});
      CellIndex given = 0;
      while (board[given] == 0) ++given;
      std::string erased = dotted;
      erased[std::size_t(given)] = '.';
      input += puzzle + "," + erased + "\n";
      hints.push_back(
          {"  " + cellName(given) + " should hold the given " + std::to_string(board[given]),
           "  rating - WrongPosition"});
    }
  }
  EXPECT_GT(hints.size(), 7u * 50);

  const Outcome hinted = run("--hint --jobs 2", input);
  ASSERT_EQ(hinted.status, 0) << hinted.err;
  std::size_t at = 0;
  for (const std::vector<std::string>& hint : hints) {
    ASSERT_LT(at + hint.size(), hinted.out.size());
    EXPECT_EQ(hinted.out[at].rfind("found ", 0), 0u) << hinted.out[at];
    for (std::size_t i = 0; i < hint.size(); ++i)
      EXPECT_EQ(hinted.out[at + 1 + i], hint[i]) << "after " << hinted.out[at];
    at += 1 + hint.size();
  }
  EXPECT_EQ(at, hinted.out.size());

  const Outcome explained = run("--explain --jobs 2", marksAlone);
  ASSERT_EQ(explained.status, 0);
  at = 0;
  for (const std::vector<std::string>& rest : explanations) {
    ASSERT_LT(at + rest.size() + 1, explained.out.size());
    for (std::size_t i = 0; i < rest.size(); ++i) EXPECT_EQ(explained.out[at + 1 + i], rest[i]);
    double largest = 0.0;
    for (const std::string& line : rest) largest = std::max(largest, std::stod(line.substr(2)));
    const std::string rating = explained.out[at + 1 + rest.size()];
    EXPECT_EQ(std::stod(rating.substr(9)), largest) << rating;
    at += 2 + rest.size();
  }
  EXPECT_EQ(at, explained.out.size());
}

// What keeps a position from a hint: the puzzle's verdict, with the digits
// an invalid one repeats, and a position that is solved.
TEST(SolveFormats, PositionsWithoutAHint) {
  const std::string solved =
      "183524697547869123629317458235698714471253869896741235354176982962485371718932546";
  const Outcome o =
      run("--hint", "55" + std::string(79, '.') + "\n" + std::string(kCellCount, '.') + "\n" +
                        solved.substr(0, 80) + ". " + solved + "\n");
  ASSERT_EQ(o.status, 0);
  const std::vector<std::string> expected = {"  r1c1 r1c2 repeat 5 in box 1",
                                             "  r1c1 r1c2 repeat 5 in row 1", "  rating - Invalid",
                                             "  rating - MultipleSolutions", "  rating - Solved"};
  std::vector<std::string> lines;
  for (const std::string& line : o.out)
    if (line.rfind("  ", 0) == 0) lines.push_back(line);
  EXPECT_EQ(lines, expected);
}
