// Boards written as 81 characters, shared by the tests of every level.
#include "tests/support/grid_text.h"

void readCells(const char* text, int cells[kCellCount]) {
  for (CellIndex c = 0; c < kCellCount; ++c)
    cells[c] = text[c] >= '1' && text[c] <= '9' ? text[c] - '0' : 0;
}

std::string cellsText(const int cells[kCellCount]) {
  std::string text(kCellCount, '.');
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (cells[c] != 0) text[c] = char('0' + cells[c]);
  return text;
}

std::string solvedGridWithout(std::initializer_list<CellIndex> blanks) {
  std::string text = kSolvedGrid;
  for (CellIndex c : blanks) text[c] = '.';
  return text;
}

std::string ninelineText(const std::string& cells) {
  std::string text;
  for (int r = 0; r < 9; ++r) text += cells.substr(std::size_t(r) * 9, 9) + "\r\n";
  return text;
}
