// A player's position against its puzzle and the puzzle's one solution.
#include "cli/position_check.h"

#include "logic/houses.h"
#include "logic/step_text.h"

namespace {

// One fault's line; the longest, a digit repeated in all nine cells of a
// house, takes some 60 characters.
struct FaultLine {
  char text[128];
  StepText out;
  FaultLine() : text{}, out{text, int(sizeof text), 0, false} { appendText(out, "  "); }
};

void endFault(FaultLine& line, std::string& out) {
  out += line.text;
  out += '\n';
}

bool appendGivenFaults(const GridText& puzzle, const GridText& position, std::string& out) {
  bool any = false;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    if (puzzle.value[c] == 0 || position.value[c] == puzzle.value[c]) continue;
    FaultLine line;
    appendCell(line.out, c);
    appendText(line.out, " should hold the given ");
    appendNumber(line.out, puzzle.value[c]);
    endFault(line, out);
    any = true;
  }
  return any;
}

bool appendWrongDigits(const GridText& puzzle, const GridText& position,
                       const int solution[kCellCount], std::string& out) {
  bool any = false;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const int digit = position.value[c];
    if (puzzle.value[c] != 0 || digit == 0 || digit == solution[c]) continue;
    FaultLine line;
    appendCell(line.out, c);
    appendCharacter(line.out, '=');
    appendNumber(line.out, digit);
    appendText(line.out, " is wrong");
    endFault(line, out);
    any = true;
  }
  return any;
}

bool appendWrongMarks(const GridText& position, const int solution[kCellCount], std::string& out) {
  if (!position.marked) return false;
  bool any = false;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    if (position.value[c] != 0 || (position.marks[c] & digitBit(solution[c])) != 0) continue;
    FaultLine line;
    appendCell(line.out, c);
    appendText(line.out, "<>");
    appendNumber(line.out, solution[c]);
    appendText(line.out, " is wrong: the pencil marks leave out the cell's digit");
    endFault(line, out);
    any = true;
  }
  return any;
}

}  // namespace

bool appendRepeatedDigits(const std::int8_t values[kCellCount], std::string& out) {
  bool any = false;
  for (int house = 0; house < kHouseCount; ++house) {
    for (int digit = 1; digit <= 9; ++digit) {
      int count = 0;
      for (const std::uint8_t cell : kHouses.cells[house]) count += values[cell] == digit;
      if (count < 2) continue;
      FaultLine line;
      for (const std::uint8_t cell : kHouses.cells[house]) {
        if (values[cell] != digit) continue;
        appendCell(line.out, cell);
        appendCharacter(line.out, ' ');
      }
      appendText(line.out, "repeat ");
      appendNumber(line.out, digit);
      appendText(line.out, " in ");
      appendHouse(line.out, house);
      endFault(line, out);
      any = true;
    }
  }
  return any;
}

bool appendPositionFaults(const GridText& puzzle, const GridText& position,
                          const int solution[kCellCount], std::string& out) {
  // Each kind is listed whatever the others found: a player fixes them all.
  const bool givens = appendGivenFaults(puzzle, position, out);
  const bool repeats = appendRepeatedDigits(position.value, out);
  const bool digits = appendWrongDigits(puzzle, position, solution, out);
  const bool marks = appendWrongMarks(position, solution, out);
  return givens || repeats || digits || marks;
}

bool isFullGrid(const GridText& grid) {
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (grid.value[c] == 0) return false;
  return true;
}

void readPositionGrid(const GridText& position, LogicGrid& grid) {
  int board[kCellCount];
  for (CellIndex c = 0; c < kCellCount; ++c) board[c] = position.value[c];
  initLogicGrid(grid, board);
  if (!position.marked) return;
  for (CellIndex c = 0; c < kCellCount; ++c)
    grid.candidates[c] = std::uint16_t(grid.candidates[c] & position.marks[c]);
}
