#include "tests/generator/exhaustive_form.h"

namespace {

constexpr int kOrders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

// Line i of the result comes from line map[i]: the blocks in order block,
// the lines of the block at slot b in order inner[b].
void buildMap(int block, const int inner[3], int map[9]) {
  for (int slot = 0; slot < 3; ++slot)
    for (int line = 0; line < 3; ++line)
      map[3 * slot + line] = 3 * kOrders[block][slot] + kOrders[inner[slot]][line];
}

// Writes the arrangement's form over best when it is less; the comparison
// stops at the first cell where it is greater.
void tryArrangement(const int cells[kCellCount], const int rows[9], const int columns[9],
                    int best[kCellCount]) {
  int label[10] = {};
  int next = 1;
  int form[kCellCount];
  bool less = false;
  for (int i = 0; i < kCellCount; ++i) {
    int value = cells[rows[i / 9] * 9 + columns[i % 9]];
    if (value != 0) {
      if (label[value] == 0) label[value] = next++;
      value = label[value];
    }
    if (!less && value > best[i]) return;
    less = less || value < best[i];
    form[i] = value;
  }
  if (!less) return;
  for (int i = 0; i < kCellCount; ++i) best[i] = form[i];
}

}  // namespace

void findFormExhaustively(const int board[kCellCount], int form[kCellCount]) {
  int cells[2][kCellCount];
  for (int i = 0; i < kCellCount; ++i) {
    cells[0][i] = board[i];
    cells[1][i % 9 * 9 + i / 9] = board[i];
    form[i] = 10;
  }
  int rows[9];
  int columns[9];
  for (int transposed = 0; transposed < 2; ++transposed)
    for (int bands = 0; bands < 6; ++bands)
      for (int r0 = 0; r0 < 6; ++r0)
        for (int r1 = 0; r1 < 6; ++r1)
          for (int r2 = 0; r2 < 6; ++r2) {
            const int rowOrders[3] = {r0, r1, r2};
            buildMap(bands, rowOrders, rows);
            for (int stacks = 0; stacks < 6; ++stacks)
              for (int c0 = 0; c0 < 6; ++c0)
                for (int c1 = 0; c1 < 6; ++c1)
                  for (int c2 = 0; c2 < 6; ++c2) {
                    const int columnOrders[3] = {c0, c1, c2};
                    buildMap(stacks, columnOrders, columns);
                    tryArrangement(cells[transposed], rows, columns, form);
                  }
          }
}
