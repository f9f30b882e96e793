#include "tests/generator/random_arrangement.h"

#include <algorithm>

namespace {

// Line i of the result comes from line map[i].
void randomLineOrder(int map[9], std::mt19937& random) {
  int blocks[3] = {0, 1, 2};
  std::shuffle(blocks, blocks + 3, random);
  for (int block = 0; block < 3; ++block) {
    int lines[3] = {0, 1, 2};
    std::shuffle(lines, lines + 3, random);
    for (int line = 0; line < 3; ++line) map[3 * block + line] = 3 * blocks[block] + lines[line];
  }
}

}  // namespace

void rearrange(const int board[kCellCount], int moved[kCellCount], std::mt19937& random) {
  int rows[9];
  int columns[9];
  randomLineOrder(rows, random);
  randomLineOrder(columns, random);
  int digits[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::shuffle(digits + 1, digits + 10, random);
  const bool transposed = random() % 2 == 1;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const int row = rows[c / 9];
    const int column = columns[c % 9];
    moved[c] = digits[board[transposed ? column * 9 + row : row * 9 + column]];
  }
}
