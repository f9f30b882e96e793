// Boards checked and completed by brute force, sharing nothing with the
// solver, for the tests of every level.
#include "tests/support/brute_force.h"

namespace {

// The digits each row, column and box holds, bit d for digit d.
struct UnitDigits {
  int row[9];
  int column[9];
  int box[9];
};

int boxOf(int cell) {
  return cell / 27 * 3 + cell % 9 / 3;
}

int freeDigits(const UnitDigits& used, int cell) {
  return ~(used.row[cell / 9] | used.column[cell % 9] | used.box[boxOf(cell)]) & 0x3FE;
}

void toggleDigit(UnitDigits& used, int cell, int digit) {
  const int bit = 1 << digit;
  used.row[cell / 9] ^= bit;
  used.column[cell % 9] ^= bit;
  used.box[boxOf(cell)] ^= bit;
}

// Reads the filled cells of board into used; false when one repeats a digit.
bool readUnits(const int board[kCellCount], UnitDigits& used) {
  used = UnitDigits{};
  for (int c = 0; c < kCellCount; ++c) {
    if (board[c] == 0) continue;
    if ((freeDigits(used, c) & (1 << board[c])) == 0) return false;
    toggleDigit(used, c, board[c]);
  }
  return true;
}

struct BruteForce {
  int grid[kCellCount];
  UnitDigits used;
  int limit;
  int count;
  int* first;
};

void countFrom(BruteForce& b) {
  int bestCell = -1;
  int bestOptions = 10;
  for (int c = 0; c < kCellCount && bestOptions > 1; ++c) {
    if (b.grid[c] != 0) continue;
    int options = 0;
    for (int rest = freeDigits(b.used, c); rest != 0; rest &= rest - 1) ++options;
    if (options < bestOptions) {
      bestOptions = options;
      bestCell = c;
    }
  }
  if (bestCell < 0) {
    if (b.count == 0 && b.first)
      for (int c = 0; c < kCellCount; ++c) b.first[c] = b.grid[c];
    ++b.count;
    return;
  }
  const int options = freeDigits(b.used, bestCell);
  for (int d = 1; d <= 9 && b.count < b.limit; ++d) {
    if ((options & (1 << d)) == 0) continue;
    b.grid[bestCell] = d;
    toggleDigit(b.used, bestCell, d);
    countFrom(b);
    toggleDigit(b.used, bestCell, d);
    b.grid[bestCell] = 0;
  }
}

}  // namespace

bool repeatsInUnit(const int cells[kCellCount]) {
  UnitDigits used;
  return !readUnits(cells, used);
}

bool isCompletionOf(const int grid[kCellCount], const int board[kCellCount]) {
  for (int c = 0; c < kCellCount; ++c) {
    if (grid[c] < 1 || grid[c] > 9) return false;
    if (board[c] != 0 && board[c] != grid[c]) return false;
  }
  return !repeatsInUnit(grid);
}

int countCompletions(const int board[kCellCount], int limit, int* first) {
  BruteForce b{};
  b.limit = limit;
  b.first = first;
  if (!readUnits(board, b.used)) return 0;
  for (int c = 0; c < kCellCount; ++c) b.grid[c] = board[c];
  countFrom(b);
  return b.count;
}
