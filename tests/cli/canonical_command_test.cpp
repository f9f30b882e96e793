// vantric-solve --canonical and --unique, and vantric-make --canonical, run
// as processes and held to the library's canonical form.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "generator/canonical_form.h"
#include "tests/generator/random_arrangement.h"
#include "tests/support/file_text.h"
#include "tests/support/grid_text.h"

namespace {

struct Outcome {
  int status;
  std::vector<std::string> out;
  std::string err;
};

std::string folder() {
  static const std::string path = [] {
    std::string made = testing::TempDir() + "vantric_canonical_XXXXXX";
    if (mkdtemp(made.data()) == nullptr) std::abort();
    return made + "/";
  }();
  return path;
}

void writeInput(const std::string& name, const std::string& text) {
  writeFile(folder() + name, text);
}

// Runs a command with arguments, standard input from the file "in".
Outcome run(const char* program, const std::string& arguments) {
  const std::string command =
      std::string("cd '") + folder() + "' && '" + program + "' " + arguments + " < in > out 2> err";
  const int raw = std::system(command.c_str());
  Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, {}, readFile(folder() + "err")};
  std::istringstream lines(readFile(folder() + "out"));
  for (std::string line; std::getline(lines, line);) outcome.out.push_back(line);
  return outcome;
}

Outcome solve(const std::string& arguments) {
  return run(VANTRIC_SOLVE_PATH, arguments);
}

std::vector<std::string> fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string field; in >> field;) out.push_back(field);
  return out;
}

std::string formOf(const std::string& text) {
  static const std::unique_ptr<CanonicalWorkspace> workspace =
      std::make_unique<CanonicalWorkspace>();
  int board[kCellCount];
  int form[kCellCount];
  readCells(text.c_str(), board);
  findCanonicalForm(*workspace, board, form);
  return cellsText(form);
}

std::vector<std::string> listLines(const char* name, std::size_t count) {
  std::ifstream list(std::string(VANTRIC_DATA_DIR) + "/" + name);
  std::vector<std::string> lines;
  for (std::string line; lines.size() < count && std::getline(list, line);) lines.push_back(line);
  return lines;
}

std::string arranged(const std::string& puzzle, std::mt19937& random) {
  int board[kCellCount];
  int moved[kCellCount];
  readCells(puzzle.c_str(), board);
  rearrange(board, moved, random);
  return cellsText(moved);
}

// Some of the 17-clue list with, in a random order, arrangements of some of
// them, and the line number of the first puzzle of each form.
struct Mixed {
  std::string text;
  std::vector<std::string> puzzles;
  std::vector<int> firsts;
};

Mixed mixedList(std::size_t count, std::mt19937& random) {
  Mixed mixed;
  mixed.puzzles = listLines("17clue.txt", count);
  for (std::size_t i = 0; i < count; i += 3)
    mixed.puzzles.push_back(arranged(mixed.puzzles[i], random));
  std::shuffle(mixed.puzzles.begin(), mixed.puzzles.end(), random);
  std::set<std::string> seen;
  for (std::size_t i = 0; i < mixed.puzzles.size(); ++i) {
    mixed.text += mixed.puzzles[i] + "\n";
    if (seen.insert(formOf(mixed.puzzles[i])).second) mixed.firsts.push_back(int(i) + 1);
  }
  return mixed;
}

// The form is one more field, after the count and the rating's, for
// puzzles with one solution, several or none, invalid ones and full grids;
// %m writes the same, and a line that is not a puzzle still is not one.
TEST(CanonicalCommand, FormIsTheLastField) {
  const std::vector<std::string> puzzles = {
      listLines("top1465.txt", 1)[0], listLines("serg_benchmark_multi.txt", 1)[0],
      listLines("derived_17clue_nosolution.txt", 1)[0], "11" + std::string(79, '.'), kSolvedGrid};
  std::string input;
  for (const std::string& puzzle : puzzles) input += puzzle + "\n";
  writeInput("in", input + "12345\n");
  const Outcome plain = solve("--count");
  const Outcome shown = solve("--count --rate --canonical");
  const Outcome formatted = solve("--format '%i %m %g'");
  ASSERT_EQ(shown.status, 1);
  ASSERT_EQ(shown.out.size(), puzzles.size());
  ASSERT_EQ(formatted.out.size(), puzzles.size());
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    const std::vector<std::string> line = fields(shown.out[i]);
    ASSERT_EQ(line.size(), fields(plain.out[i]).size() + 3) << shown.out[i];
    EXPECT_EQ(line.back(), formOf(puzzles[i])) << puzzles[i];
    // The inputs are written as %g writes them.
    EXPECT_EQ(formatted.out[i],
              std::to_string(i + 1) + " " + formOf(puzzles[i]) + " " + puzzles[i]);
  }
  EXPECT_NE(shown.err.find("not a puzzle"), std::string::npos);
}

// --unique keeps the first line of each form in input order, over every
// input in turn, and adds no field of its own; --stats counts the rest.
TEST(CanonicalCommand, UniqueKeepsTheFirstOfEachForm) {
  std::mt19937 random(17);
  const Mixed mixed = mixedList(120, random);
  writeInput("in", mixed.text);
  const Outcome kept = solve("--unique --stats --format %i");
  ASSERT_EQ(kept.status, 0) << kept.err;
  std::vector<int> numbers;
  for (const std::string& line : kept.out) numbers.push_back(std::stoi(line));
  EXPECT_EQ(numbers, mixed.firsts);
  const std::size_t repeats = mixed.puzzles.size() - mixed.firsts.size();
  EXPECT_NE(kept.err.find(std::to_string(repeats) + " repeats"), std::string::npos) << kept.err;
  EXPECT_EQ(solve("--unique").out.size(), mixed.firsts.size());
  EXPECT_EQ(fields(solve("--unique").out[0]).size(), fields(solve("").out[0]).size());
  // A second input repeats the first: nothing of it is new.
  writeInput("again", mixed.text);
  EXPECT_EQ(solve("--unique - again").out.size(), mixed.firsts.size());
}

// Forms and the lines --unique keeps do not depend on the threads.
TEST(CanonicalCommand, JobsKeepTheOutputOfOneJob) {
  std::mt19937 random(5);
  const Mixed mixed = mixedList(400, random);
  writeInput("in", mixed.text);
  const Outcome one = solve("--jobs 1 --unique --format '%i %m'");
  ASSERT_EQ(one.out.size(), mixed.firsts.size());
  for (const char* jobs : {"2", "5"})
    EXPECT_EQ(solve(std::string("--unique --format '%i %m' --jobs ") + jobs).out, one.out) << jobs;
  EXPECT_EQ(solve("--jobs 3 --canonical").out.size(), mixed.puzzles.size());
}

// vantric-make --canonical writes the form of each puzzle the same seed
// makes without it.
TEST(CanonicalCommand, MakeWritesTheFormsOfItsPuzzles) {
  writeInput("in", "");
  const Outcome made = run(VANTRIC_MAKE_PATH, "--seed 11 --jobs 2 12");
  const Outcome forms = run(VANTRIC_MAKE_PATH, "--seed 11 --jobs 3 --canonical 12");
  ASSERT_EQ(made.status, 0) << made.err;
  ASSERT_EQ(forms.out.size(), made.out.size());
  for (std::size_t i = 0; i < made.out.size(); ++i) {
    EXPECT_EQ(forms.out[i], formOf(made.out[i])) << made.out[i];
    EXPECT_NE(forms.out[i], made.out[i]);
  }
}

}  // namespace
