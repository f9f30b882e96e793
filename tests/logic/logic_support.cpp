#include "tests/logic/logic_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "logic/rating.h"
#include "model/tables.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "state/game_state.h"

namespace {

bool isCellCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '.';
}

// Where the line's first run of exactly 81 cell characters starts, or npos.
std::size_t puzzleStart(const std::string& line) {
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t end = start;
    while (end < line.size() && isCellCharacter(line[end])) ++end;
    if (end - start == kCellCount) return start;
    start = end + 1;
  }
  return std::string::npos;
}

template <typename Take>
void readSample(const char* listName, int stride, int limit, Take take) {
  const std::string path = std::string(VANTRIC_DATA_DIR) + "/" + listName;
  std::ifstream file(path);
  ASSERT_TRUE(file.is_open()) << "missing puzzle list " << path;
  std::string line;
  int taken = 0;
  for (int index = 0; taken < limit && std::getline(file, line); ++index) {
    if (index % stride != 0) continue;
    const std::size_t start = puzzleStart(line);
    if (start == std::string::npos) continue;
    take(line, start);
    ++taken;
  }
}

GameState solverState;

}  // namespace

std::vector<std::string> readPuzzleSample(const char* listName, int stride, int limit) {
  std::vector<std::string> puzzles;
  readSample(listName, stride, limit, [&](const std::string& line, std::size_t start) {
    puzzles.push_back(line.substr(start, kCellCount));
  });
  return puzzles;
}

std::vector<double> readRatingSample(const char* listName, int stride, int limit) {
  std::vector<double> ratings;
  readSample(listName, stride, limit, [&](const std::string& line, std::size_t start) {
    const std::string rest = line.substr(start + kCellCount);
    char* end = nullptr;
    const double rating = std::strtod(rest.c_str(), &end);
    ratings.push_back(end == rest.c_str() ? -1.0 : rating);
  });
  return ratings;
}

bool readPencilMarks(const char* text, LogicGrid& grid) {
  CellIndex cell = 0;
  for (const char* c = text; *c != '\0';) {
    if (*c == ' ' || *c == '\n' || *c == '\t') {
      ++c;
      continue;
    }
    if (cell == kCellCount) return false;
    const bool placed = *c == '+';
    if (placed) ++c;
    int digits = 0;
    for (; *c >= '1' && *c <= '9'; ++c) digits |= digitBit(*c - '0');
    if (digits == 0 || (placed && candidateCount(digits) != 1)) return false;
    grid.value[cell] = std::uint8_t(placed ? firstDigit(digits) : 0);
    grid.candidates[cell] = std::uint16_t(placed ? 0 : digits);
    ++cell;
  }
  return cell == kCellCount;
}

void readBoard(const std::string& puzzle, int board[kCellCount]) {
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const char ch = c < int(puzzle.size()) ? puzzle[std::size_t(c)] : '.';
    board[c] = ch >= '1' && ch <= '9' ? ch - '0' : 0;
  }
}

int solvePuzzle(const std::string& puzzle, int solution[kCellCount]) {
  initTables();
  readBoard(puzzle, solverState.board);
  runSolve(solverState);
  for (CellIndex c = 0; c < kCellCount; ++c) solution[c] = solverState.solution[c];
  if (!solverState.solutionFound) return 0;
  return countSolutions(solverState);
}
