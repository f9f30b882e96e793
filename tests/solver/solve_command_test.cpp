#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kEmptyBoard =
    ".................................................................................";
constexpr const char* kEmptyBoardLine =
    "123456789456789123789123456231674895875912364694538217317265948542897631968341572";

struct Outcome {
  int status;
  std::vector<std::string> out;
  std::string err;
};

std::string scratch(const char* name) {
  return testing::TempDir() + "vantric_solve_" + name;
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs vantric-solve with arguments and standard input; collects the lines
// of standard output, the whole of standard error and the exit status.
Outcome run(const std::string& arguments, const std::string& input) {
  const std::string in = scratch("in");
  const std::string out = scratch("out");
  const std::string err = scratch("err");
  writeFile(in, input);
  const std::string command = std::string("'") + VANTRIC_SOLVE_PATH + "' " + arguments + " < '" +
                              in + "' > '" + out + "' 2> '" + err + "'";
  const int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::istringstream lines(readFile(out));
  for (std::string line; std::getline(lines, line);) outcome.out.push_back(line);
  outcome.err = readFile(err);
  return outcome;
}

// Splits "VERDICT NODES DEPTH SECONDS GRID".
std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> parts;
  std::istringstream words(line);
  for (std::string word; words >> word;) parts.push_back(word);
  return parts;
}

}  // namespace

TEST(SolveCommand, OneLinePerPuzzle) {
  const Outcome o = run(
      "",
      std::string(kEmptyBoard) + "\n" +
          "55...............................................................................\n" +
          ".23456789"
          "1........" +
          std::string(63, '.') + "\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "");
  ASSERT_EQ(o.out.size(), 3u);
  const std::vector<std::string> empty = fields(o.out[0]);
  ASSERT_EQ(empty.size(), 5u);
  EXPECT_EQ(empty[0], "found");
  EXPECT_EQ(empty[1], "48");
  EXPECT_EQ(empty[2], "47");
  // Seconds with six decimals; how many depends on the machine.
  ASSERT_GE(empty[3].size(), 8u);
  EXPECT_EQ(empty[3].find_first_not_of("0123456789."), std::string::npos) << empty[3];
  EXPECT_EQ(empty[3][empty[3].size() - 7], '.') << empty[3];
  EXPECT_EQ(empty[4], kEmptyBoardLine);
  EXPECT_EQ(o.out[0], "found 48 47 " + empty[3] + " " + kEmptyBoardLine);
  EXPECT_EQ(o.out[1].substr(0, 11), "invalid 0 0");
  EXPECT_EQ(fields(o.out[1])[4], std::string(81, '.'));
  EXPECT_EQ(o.out[2].substr(0, 9), "none 1 0 ");
}

TEST(SolveCommand, LinesThatAreNotPuzzles) {
  const std::string puzzle = kEmptyBoard;
  const Outcome o = run("", "# a comment with 81 dots " + puzzle + "\n\n   \r\n12345\n" + puzzle +
                                "\n" + puzzle.substr(0, 80));
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "vantric-solve: -:4: not a puzzle (5 cells)\n"
            "vantric-solve: -:6: not a puzzle (80 cells)\n");
  ASSERT_EQ(o.out.size(), 1u);
  EXPECT_EQ(fields(o.out[0])[4], kEmptyBoardLine);
}

TEST(SolveCommand, PositionTextRulesOnLongBinaryLines) {
  // Grid drawn with separators, '*' for empty cells, binary bytes, a NUL,
  // and a megabyte of noise after the 81st cell.
  std::string line = "|*";
  line += std::string("\0\xff\x01", 3);
  line += std::string(80, '.');
  line += std::string(1 << 20, '7');
  const Outcome o = run("", line + "\n" + std::string(1 << 20, 'x') + "\n");
  EXPECT_EQ(o.status, 1);
  ASSERT_EQ(o.out.size(), 1u);
  EXPECT_EQ(fields(o.out[0])[4], kEmptyBoardLine);
  EXPECT_EQ(o.err, "vantric-solve: -:2: not a puzzle (0 cells)\n");
}

TEST(SolveCommand, FilesInTurnAndStandardInputAsDash) {
  const std::string file = scratch("puzzles.txt");
  writeFile(file, "12345\n" + std::string(kEmptyBoard) + "\n");
  const Outcome o = run("--stats '" + file + "' - '" + file + "'", std::string(kEmptyBoard));
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out.size(), 3u);
  EXPECT_NE(o.err.find(file + ":1: not a puzzle (5 cells)\n"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("3 puzzles, 3 found, 0 none, 0 invalid, 144 nodes"), std::string::npos)
      << o.err;
  EXPECT_NE(o.err.find("ns/node"), std::string::npos) << o.err;
}

TEST(SolveCommand, MissingFileEndsWithStatusTwo) {
  const Outcome o = run("/nonexistent/puzzles.txt", "");
  EXPECT_EQ(o.status, 2);
  EXPECT_NE(o.err.find("/nonexistent/puzzles.txt"), std::string::npos) << o.err;
  EXPECT_TRUE(o.out.empty());
}

TEST(SolveCommand, HelpAndUnknownOptions) {
  const Outcome help = run("--help", "");
  EXPECT_EQ(help.status, 0);
  ASSERT_FALSE(help.out.empty());
  EXPECT_EQ(help.out[0], "Usage: vantric-solve [--stats] [FILE...]");

  const Outcome wrong = run("--fast", "");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("--fast"), std::string::npos);
}
