// The minimal form, built row by row: each row's arrangements are searched
// depth first, cell by cell in reading order, and an arrangement is dropped
// at the first cell where it shows more than the least row found so far;
// only those tied on the least rows go on to the next row. Rows are chosen
// as the search reaches them, columns only when a cell tells them apart,
// and what is still open is kept in groups (canonical_arrangement.h): a
// digit a later cell shows that a coupled group labels is placed then, at
// the group's first open column, the least label it can have.
#include "generator/canonical_form.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <utility>

namespace {

using Arrangement = CanonicalArrangement;

constexpr int kSide = 9;
constexpr int kBlocks = 3;
constexpr int kNone = -1;
// Above every value a form holds: a row or form not found yet.
constexpr std::uint8_t kAboveEveryValue = 10;

// What the search reads and writes besides the arrangements: the board in
// both orientations, which rows, bands, columns and stacks repeat another's
// cells exactly (swapping them changes nothing, so one of them is tried),
// the least form so far and where the arrangements tied on it are kept.
struct Search {
  std::uint8_t cells[2][kCellCount];
  // Lower rows of the same band, lower columns of the same stack, lower
  // bands and lower stacks with the same cells.
  std::uint16_t rowTwins[2][kSide];
  std::uint16_t columnTwins[2][kSide];
  std::uint8_t bandTwins[2][kBlocks];
  std::uint8_t stackTwins[2][kBlocks];
  // The first row's candidates, orientation * 9 + row, the row that shows
  // its empty cells first in front.
  int firstRows[2 * kSide];
  int firstRowCount;
  // The cell after the row being searched; kCellCount when an arrangement
  // that did not fit is finished depth first.
  int rowEnd;
  std::uint8_t* best;
  std::uint8_t form[kCellCount];
  // The least form of the arrangements finished depth first.
  std::uint8_t deepForm[kCellCount];
  bool deepFound;
  Arrangement* kept;
  int keptCount;
};

int lowestBit(unsigned mask) {
  return std::countr_zero(mask);
}

// Masks here have nine bits at most, mostly one to three.
int bitCount(unsigned mask) {
  int count = 0;
  for (; mask != 0; mask &= mask - 1) ++count;
  return count;
}

unsigned columnsOfStack(int stack) {
  return 7u << (3 * stack);
}

std::uint8_t byteOf(int value) {
  return static_cast<std::uint8_t>(value);
}

std::int8_t indexOf(int value) {
  return static_cast<std::int8_t>(value);
}

// A group's id is the output column it opened at; it keeps it while its
// first open column moves on.
void openGroup(Arrangement& a, int first, int size, int label, unsigned columns) {
  a.groupFirst[first] = byteOf(first);
  a.groupSize[first] = byteOf(size);
  a.groupLabel[first] = byteOf(label);
  a.groupColumns[first] = static_cast<std::uint16_t>(columns);
  a.groupAt[first] = indexOf(first);
  for (unsigned rest = columns; rest != 0; rest &= rest - 1)
    a.groupOf[lowestBit(rest)] = indexOf(first);
}

// Puts a coupled stack in the first open slot of the coupled ones, its
// columns a coupled group there.
void placeStack(Arrangement& a, int stack) {
  const int slot = a.coupledSlot;
  a.stack[slot] = indexOf(stack);
  a.coupledStacks = byteOf(a.coupledStacks & ~(1u << stack));
  openGroup(a, 3 * slot, 3, a.coupledLabel, columnsOfStack(stack));
  a.coupledSlot = byteOf(slot + 1);
  a.coupledLabel = byteOf(a.coupledLabel + 3);
}

// Puts a column of an open group at the group's first open output column.
void placeColumn(Arrangement& a, int column) {
  const int id = a.groupOf[column];
  const int first = a.groupFirst[id];
  const int label = a.groupLabel[id];
  a.column[first] = indexOf(column);
  a.groupAt[first] = kNone;
  a.groupOf[column] = kNone;
  if (label != 0) {
    const int key = a.keyDigit[column];
    a.label[key] = byteOf(label);
    a.keyColumn[key] = kNone;
    a.groupLabel[id] = byteOf(label + 1);
  }
  if (--a.groupSize[id] == 0) return;
  a.groupFirst[id] = byteOf(first + 1);
  a.groupColumns[id] = static_cast<std::uint16_t>(a.groupColumns[id] & ~(1u << column));
  a.groupAt[first + 1] = indexOf(id);
}

void placeCoupledColumn(Arrangement& a, int column) {
  placeStack(a, column / 3);
  placeColumn(a, column);
}

// A placed digit's value: its label, given now when it has none.
int takeValue(Arrangement& a, int digit) {
  if (a.label[digit] == 0) {
    const int key = a.keyColumn[digit];
    if (key == kNone) {
      assert(a.nextLabel <= kSide);
      a.label[digit] = a.nextLabel++;
    } else if (a.groupOf[key] == kNone) {
      placeCoupledColumn(a, key);
    } else {
      placeColumn(a, key);
    }
  }
  return a.label[digit];
}

// The label a digit without one would take where no column of its group
// is placed first.
int pendingLabel(const Arrangement& a, int digit) {
  const int key = a.keyColumn[digit];
  if (key == kNone) return a.nextLabel;
  return a.groupOf[key] == kNone ? a.coupledLabel : a.groupLabel[a.groupOf[key]];
}

// The value a non-empty cell of column would show if the column took
// first, the first output column of its open group.
int valueIfPlaced(const Arrangement& a, int digit, int column) {
  if (a.label[digit] != 0) return a.label[digit];
  const int key = a.keyColumn[digit];
  if (key == column) return a.groupLabel[a.groupOf[column]];
  if (key != kNone && a.groupOf[key] == a.groupOf[column])
    return a.groupLabel[a.groupOf[column]] + 1;
  return pendingLabel(a, digit);
}

// The same for a column of a coupled stack taking the first coupled slot.
int valueIfStackPlaced(const Arrangement& a, int digit, int column) {
  if (digit == 0) return 0;
  if (a.label[digit] != 0) return a.label[digit];
  const int key = a.keyColumn[digit];
  if (key == column) return a.coupledLabel;
  if (key != kNone && key / 3 == column / 3) return a.coupledLabel + 1;
  if (key != kNone && a.groupOf[key] == kNone) return a.coupledLabel + 3;
  return pendingLabel(a, digit);
}

// Compares a value with the least form's at cell; false when the
// arrangement is worse. Once it is better, it writes the rest of its row.
bool emit(Search& s, int cell, int value, bool& writing) {
  if (!writing) {
    if (value > s.best[cell]) return false;
    writing = value < s.best[cell];
  }
  if (writing) s.best[cell] = byteOf(value);
  return true;
}

void advance(Search& s, Arrangement& a, int cell, bool writing);

// Tries each choice on a copy, the last on the arrangement itself; the
// first goes on as the parent would, the others against the row the first
// left.
template <typename Apply>
void branch(Search& s, Arrangement& a, int cell, bool writing, unsigned choices, Apply apply) {
  for (; (choices & (choices - 1)) != 0; choices &= choices - 1) {
    Arrangement child = a;
    apply(child, lowestBit(choices));
    advance(s, child, cell, writing);
    writing = false;
  }
  apply(a, lowestBit(choices));
  advance(s, a, cell, writing);
}

void chooseRow(Arrangement& a, int choice) {
  if (a.rowsChosen == 0) a.orientation = byteOf(choice / kSide);
  a.sourceRow = byteOf(choice % kSide);
  a.usedRows = static_cast<std::uint16_t>(a.usedRows | (1u << a.sourceRow));
  ++a.rowsChosen;
}

// The rows the next output row but the first may take, as a mask, one of
// each set of exact copies.
unsigned rowChoices(const Search& s, const Arrangement& a) {
  const int o = a.orientation;
  unsigned open = ~unsigned(a.usedRows) & 0x1FF;
  if (a.rowsChosen % 3 != 0) {
    open &= 7u << (3 * (a.sourceRow / 3));
  } else {
    unsigned openBands = 0;
    for (int band = 0; band < kBlocks; ++band)
      if ((open >> (3 * band) & 7u) == 7u) openBands |= 1u << band;
    open = 0;
    for (int band = 0; band < kBlocks; ++band)
      if ((openBands >> band & 1u) != 0 && (s.bandTwins[o][band] & openBands) == 0)
        open |= 7u << (3 * band);
  }
  unsigned choices = 0;
  for (unsigned rest = open; rest != 0; rest &= rest - 1) {
    const int row = lowestBit(rest);
    if ((s.rowTwins[o][row] & open) == 0) choices |= 1u << row;
  }
  return choices;
}

// With every column placed a row's values follow from its cells alone, its
// new digits labelled in order: of the rows that may come next, those
// whose values are least. The others are left as they are.
unsigned leastPlacedRows(const Search& s, const Arrangement& a, unsigned choices) {
  for (int position = 0; position < kSide; ++position)
    if (a.column[position] == kNone) return choices;
  std::uint8_t least[kSide] = {};
  unsigned kept = 0;
  for (unsigned rest = choices; rest != 0; rest &= rest - 1) {
    const int row = lowestBit(rest);
    const std::uint8_t* cells = s.cells[a.orientation] + kSide * row;
    std::uint8_t label[kSide + 1];
    for (int digit = 0; digit <= kSide; ++digit) label[digit] = a.label[digit];
    int next = a.nextLabel;
    // -1 once less than the least so far, 1 once greater.
    int order = kept == 0 ? -1 : 0;
    for (int position = 0; position < kSide && order != 1; ++position) {
      const int digit = cells[a.column[position]];
      if (digit != 0 && label[digit] == 0) label[digit] = byteOf(next++);
      const std::uint8_t value = label[digit];
      if (order == 0 && value != least[position]) order = value < least[position] ? -1 : 1;
      if (order == -1) least[position] = value;
    }
    if (order == -1) kept = 0;
    if (order != 1) kept |= 1u << row;
  }
  return kept;
}

void finishDeep(Search& s, const Arrangement& a);

// An arrangement at the end of the row being searched: kept for the next
// row, or finished at once when there is no room.
void keepArrangement(Search& s, const Arrangement& a, bool writing) {
  if (s.rowEnd == kCellCount) return;
  // A row written anew is less than the row every kept arrangement shows.
  if (writing) s.keptCount = 0;
  if (s.keptCount < kKeptArrangements) {
    s.kept[s.keptCount++] = a;
    return;
  }
  finishDeep(s, a);
}

// Finishes an arrangement that did not fit depth first, against the least
// form of those finished so. That form may already be below the rows every
// kept arrangement shares, and so below anything this one can give; when
// the rows have been bettered since, it is above them and starts anew.
void finishDeep(Search& s, const Arrangement& a) {
  const int start = s.rowEnd;
  int order = s.deepFound ? 0 : 1;
  for (int cell = 0; cell < start && order == 0; ++cell)
    if (s.deepForm[cell] != s.form[cell]) order = s.deepForm[cell] < s.form[cell] ? -1 : 1;
  if (order < 0) return;
  if (order > 0) {
    for (int cell = 0; cell < kCellCount; ++cell)
      s.deepForm[cell] = cell < start ? s.form[cell] : kAboveEveryValue;
  }
  s.deepFound = true;
  s.best = s.deepForm;
  s.rowEnd = kCellCount;
  Arrangement copy = a;
  advance(s, copy, start, false);
  s.best = s.form;
  s.rowEnd = start;
}

// A row that follows a full row of new digits, itself full of the same
// digits: every stack is coupled and each cell's value is the label its
// digit's column takes, coupledLabel plus the output column it ends in. The
// same search over a record of positions alone, which a solution grid's
// second row spends most of its time in.
struct Conjugation {
  // The column each of this row's columns holds its digit's key in.
  std::int8_t key[kSide];
  std::int8_t column[kSide];
  std::int8_t position[kSide];
  std::int8_t slotOf[kBlocks];
  std::int8_t stackAt[kBlocks];
  std::uint8_t filled[kBlocks];
  std::uint8_t slotsUsed;
};

// True when the row can be searched so; fills in the keys.
bool startConjugation(const Arrangement& a, const std::uint8_t* row, Conjugation& c) {
  if (a.coupledStacks != 7) return false;
  unsigned keys = 0;
  for (int column = 0; column < kSide; ++column) {
    const int digit = row[column];
    if (digit == 0 || a.keyColumn[digit] == kNone) return false;
    c.key[column] = a.keyColumn[digit];
    keys |= 1u << c.key[column];
    c.column[column] = kNone;
    c.position[column] = kNone;
  }
  for (int i = 0; i < kBlocks; ++i) {
    c.slotOf[i] = kNone;
    c.stackAt[i] = kNone;
    c.filled[i] = 0;
  }
  c.slotsUsed = 0;
  return keys == 0x1FF;
}

// Puts a column at the next open output column of its stack's slot, giving
// the stack the next slot first when it has none.
void placeConjugate(Conjugation& c, int column) {
  const int stack = column / 3;
  if (c.slotOf[stack] == kNone) {
    c.slotOf[stack] = indexOf(c.slotsUsed);
    c.stackAt[c.slotsUsed++] = indexOf(stack);
  }
  const int slot = c.slotOf[stack];
  const int position = 3 * slot + c.filled[slot]++;
  c.position[column] = indexOf(position);
  c.column[position] = indexOf(column);
}

// The output column a cell's key would end in if column took position.
int keyPositionIfPlaced(const Conjugation& c, int column, int position) {
  const int key = c.key[column];
  if (c.position[key] != kNone) return c.position[key];
  if (key == column) return position;
  const int stack = key / 3;
  if (stack == column / 3) return position + 1;
  if (c.slotOf[stack] != kNone) return 3 * c.slotOf[stack] + c.filled[c.slotOf[stack]];
  return 3 * (c.slotsUsed + (c.slotOf[column / 3] == kNone ? 1 : 0));
}

// Back to the general record at the row's end: every column placed and
// every key labelled by the output column it took. An arrangement finished
// depth first goes on to the next row.
void finishConjugation(Search& s, const Arrangement& a, const Conjugation& c, int rowEnd,
                       bool writing) {
  Arrangement done = a;
  for (int i = 0; i < kSide; ++i) {
    done.column[i] = c.column[i];
    done.label[a.keyDigit[i]] = byteOf(a.coupledLabel + c.position[i]);
    done.keyColumn[a.keyDigit[i]] = kNone;
  }
  for (int i = 0; i < kBlocks; ++i) done.stack[i] = c.stackAt[i];
  done.coupledStacks = 0;
  done.coupledSlot = kBlocks;
  if (rowEnd < s.rowEnd) {
    advance(s, done, rowEnd, writing);
  } else {
    keepArrangement(s, done, writing);
  }
}

void conjugate(Search& s, const Arrangement& a, Conjugation& c, int cell, bool writing) {
  // The record holds one row: the row's end, also when the search runs on
  // to the board's.
  const int rowEnd = (cell / kSide + 1) * kSide;
  for (; cell < rowEnd; ++cell) {
    const int position = cell % kSide;
    if (c.column[position] == kNone) {
      const int slot = position / 3;
      const unsigned columns = c.stackAt[slot] != kNone ? columnsOfStack(c.stackAt[slot])
                                                        : (c.slotOf[0] == kNone ? 7u : 0u) |
                                                              (c.slotOf[1] == kNone ? 070u : 0u) |
                                                              (c.slotOf[2] == kNone ? 0700u : 0u);
      int least = kSide;
      unsigned ties = 0;
      for (unsigned rest = columns; rest != 0; rest &= rest - 1) {
        const int column = lowestBit(rest);
        if (c.position[column] != kNone) continue;
        const int key = keyPositionIfPlaced(c, column, position);
        if (key < least) {
          least = key;
          ties = 0;
        }
        if (key == least) ties |= 1u << column;
      }
      if (!writing && a.coupledLabel + least > s.best[cell]) return;
      for (; (ties & (ties - 1)) != 0; ties &= ties - 1) {
        Conjugation child = c;
        placeConjugate(child, lowestBit(ties));
        conjugate(s, a, child, cell, writing);
        writing = false;
      }
      placeConjugate(c, lowestBit(ties));
    }
    const int key = c.key[c.column[position]];
    if (c.position[key] == kNone) placeConjugate(c, key);
    if (!emit(s, cell, a.coupledLabel + c.position[key], writing)) return;
  }
  finishConjugation(s, a, c, rowEnd, writing);
}

void advance(Search& s, Arrangement& a, int cell, bool writing) {
  while (cell < s.rowEnd) {
    const int position = cell % kSide;
    if (a.column[position] != kNone && a.rowsChosen > cell / kSide) {
      const int digit = s.cells[a.orientation][kSide * a.sourceRow + a.column[position]];
      const int value = digit == 0 || a.label[digit] != 0 ? a.label[digit] : takeValue(a, digit);
      if (!emit(s, cell, value, writing)) return;
      ++cell;
      continue;
    }
    if (a.rowsChosen == cell / kSide) {
      if (a.rowsChosen == 0) {
        for (int i = 0; i < s.firstRowCount; ++i) {
          Arrangement child = a;
          chooseRow(child, s.firstRows[i]);
          advance(s, child, cell, writing);
          writing = false;
        }
        return;
      }
      const unsigned choices = leastPlacedRows(s, a, rowChoices(s, a));
      if (bitCount(choices) == 1) {
        chooseRow(a, lowestBit(choices));
        continue;
      }
      branch(s, a, cell, writing, choices, chooseRow);
      return;
    }
    const std::uint8_t* row = s.cells[a.orientation] + kSide * a.sourceRow;
    if (position == 0) {
      Conjugation c;
      if (startConjugation(a, row, c)) {
        conjugate(s, a, c, cell, writing);
        return;
      }
    }
    if (position == 0 && a.sharedStacks != 0) {
      // The shared stacks empty in this row stay shared, first; the others
      // wait for the slots after them.
      unsigned empty = 0;
      for (unsigned rest = a.sharedStacks; rest != 0; rest &= rest - 1) {
        const int stack = lowestBit(rest);
        if ((row[3 * stack] | row[3 * stack + 1] | row[3 * stack + 2]) == 0) empty |= 1u << stack;
      }
      a.waitingStacks = byteOf(a.sharedStacks & ~empty);
      if (bitCount(empty) == 1) {
        a.sharedStacks = 0;
        a.stack[0] = indexOf(lowestBit(empty));
        openGroup(a, 0, 3, 0, columnsOfStack(a.stack[0]));
        continue;
      }
      a.sharedStacks = byteOf(empty);
      for (const int end = cell + 3 * bitCount(empty); cell < end; ++cell)
        if (!emit(s, cell, 0, writing)) return;
      continue;
    }
    const int slot = position / 3;
    if (a.stack[slot] == kNone && a.coupledStacks != 0 && slot >= a.coupledSlot) {
      assert(slot == a.coupledSlot);
      int least = kAboveEveryValue + 1;
      unsigned ties = 0;
      for (unsigned rest = a.coupledStacks; rest != 0; rest &= rest - 1) {
        const int stack = lowestBit(rest);
        for (int column = 3 * stack; column < 3 * stack + 3; ++column) {
          const int value = valueIfStackPlaced(a, row[column], column);
          if (value < least) {
            least = value;
            ties = 0;
          }
          if (value == least) ties |= 1u << column;
        }
      }
      if (!writing && least > s.best[cell]) return;
      if (bitCount(ties) == 1) {
        placeCoupledColumn(a, lowestBit(ties));
        continue;
      }
      branch(s, a, cell, writing, ties, placeCoupledColumn);
      return;
    }
    if (a.stack[slot] == kNone) {
      // Only the stacks with the most empty cells in this row can come next.
      int mostEmpty = -1;
      unsigned choices = 0;
      for (unsigned rest = a.waitingStacks; rest != 0; rest &= rest - 1) {
        const int stack = lowestBit(rest);
        const int empty =
            (row[3 * stack] == 0) + (row[3 * stack + 1] == 0) + (row[3 * stack + 2] == 0);
        if (empty > mostEmpty) {
          mostEmpty = empty;
          choices = 0;
        }
        if (empty == mostEmpty && (s.stackTwins[a.orientation][stack] & a.waitingStacks) == 0)
          choices |= 1u << stack;
      }
      assert(choices != 0);
      // Full stacks whose digits are all new and all differ take the next
      // labels in slot order, whichever stack is where.
      bool allNew = mostEmpty == 0 && bitCount(choices) > 1;
      unsigned digits = 0;
      for (unsigned rest = a.waitingStacks; rest != 0 && allNew; rest &= rest - 1) {
        for (int column = 3 * lowestBit(rest); column < 3 * lowestBit(rest) + 3; ++column) {
          const int digit = row[column];
          allNew = allNew && a.label[digit] == 0 && a.keyColumn[digit] == kNone &&
                   (digits >> digit & 1u) == 0;
          digits |= 1u << digit;
        }
      }
      if (allNew) {
        a.coupledStacks = a.waitingStacks;
        a.coupledSlot = byteOf(slot);
        a.coupledLabel = a.nextLabel;
        a.waitingStacks = 0;
        for (int column = 0; column < kSide; ++column) {
          if ((a.coupledStacks >> (column / 3) & 1u) == 0) continue;
          a.keyDigit[column] = row[column];
          a.keyColumn[row[column]] = indexOf(column);
        }
        for (const int end = cell + kSide - position; cell < end; ++cell) {
          assert(a.nextLabel <= kSide);
          if (!emit(s, cell, a.nextLabel++, writing)) return;
        }
        continue;
      }
      const auto place = [slot](Arrangement& child, int stack) {
        child.stack[slot] = indexOf(stack);
        child.waitingStacks = byteOf(child.waitingStacks & ~(1u << stack));
        openGroup(child, 3 * slot, 3, 0, columnsOfStack(stack));
      };
      if (bitCount(choices) == 1) {
        place(a, lowestBit(choices));
        continue;
      }
      branch(s, a, cell, writing, choices, place);
      return;
    }
    // An open group starts here: its empty cells in this row come first.
    const int id = a.groupAt[position];
    assert(id != kNone);
    const unsigned members = a.groupColumns[id];
    const int size = a.groupSize[id];
    const int label = a.groupLabel[id];
    assert(size > 0);
    unsigned empty = 0;
    for (unsigned rest = members; rest != 0; rest &= rest - 1)
      if (row[lowestBit(rest)] == 0) empty |= 1u << lowestBit(rest);
    if (empty != 0) {
      const int count = bitCount(empty);
      if (count < size) {
        openGroup(a, position + count, size - count, label == 0 ? 0 : label + count,
                  members & ~empty);
        openGroup(a, position, count, label, empty);
      }
      for (const int end = cell + count; cell < end; ++cell)
        if (!emit(s, cell, 0, writing)) return;
      continue;
    }
    int least = kAboveEveryValue + 1;
    unsigned ties = 0;
    unsigned digits = 0;
    bool allNew = true;
    for (unsigned rest = members; rest != 0; rest &= rest - 1) {
      const int column = lowestBit(rest);
      const int digit = row[column];
      const int value = valueIfPlaced(a, digit, column);
      if (value < least) {
        least = value;
        ties = 0;
      }
      if (value == least) ties |= 1u << column;
      allNew = allNew && value == a.nextLabel && (digits >> digit & 1u) == 0;
      digits |= 1u << digit;
    }
    if (!writing && least > s.best[cell]) return;
    if (label == 0 && size > 1 && allNew) {
      // New digits that all differ in a free group take the next labels in
      // column order, whichever column holds which.
      a.groupLabel[id] = a.nextLabel;
      for (unsigned rest = members; rest != 0; rest &= rest - 1) {
        const int column = lowestBit(rest);
        a.keyDigit[column] = row[column];
        a.keyColumn[row[column]] = indexOf(column);
      }
      for (const int end = cell + size; cell < end; ++cell) {
        assert(a.nextLabel <= kSide);
        if (!emit(s, cell, a.nextLabel++, writing)) return;
      }
      continue;
    }
    unsigned choices = 0;
    for (unsigned rest = ties; rest != 0; rest &= rest - 1) {
      const int column = lowestBit(rest);
      if ((s.columnTwins[a.orientation][column] & ties) == 0) choices |= 1u << column;
    }
    if (bitCount(choices) == 1) {
      placeColumn(a, lowestBit(choices));
      continue;
    }
    branch(s, a, cell, writing, choices, placeColumn);
    return;
  }
  keepArrangement(s, a, writing);
}

// The cells of a row or column, four bits each: equal keys, equal cells.
std::uint64_t lineKey(const std::uint8_t* cells, int step) {
  std::uint64_t key = 0;
  for (int i = 0; i < kSide; ++i) key |= std::uint64_t(cells[i * step]) << (4 * i);
  return key;
}

// True when the three lines of one block are those of another, in some order.
bool sameLines(const std::uint64_t* lines, int block, int other) {
  bool taken[3] = {false, false, false};
  for (int i = 0; i < 3; ++i) {
    bool found = false;
    for (int j = 0; j < 3 && !found; ++j) {
      if (!taken[j] && lines[3 * block + i] == lines[3 * other + j]) found = taken[j] = true;
    }
    if (!found) return false;
  }
  return true;
}

// The first row's order of trial: the row whose cells, stacks sorted by
// their clues and clues last in each, put the empty cells first comes
// first. It is the row's own form when its digits differ.
int firstRowPattern(const std::uint8_t* row) {
  int clues[kBlocks];
  for (int stack = 0; stack < kBlocks; ++stack)
    clues[stack] = (row[3 * stack] != 0) + (row[3 * stack + 1] != 0) + (row[3 * stack + 2] != 0);
  for (int i = 1; i < kBlocks; ++i)
    for (int j = i; j > 0 && clues[j - 1] > clues[j]; --j) {
      const int held = clues[j];
      clues[j] = clues[j - 1];
      clues[j - 1] = held;
    }
  int pattern = 0;
  for (int stack = 0; stack < kBlocks; ++stack) pattern = pattern << 3 | ((1 << clues[stack]) - 1);
  return pattern;
}

void prepareSearch(Search& s, const int board[kCellCount]) {
  bool symmetric = true;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    assert(board[c] >= 0 && board[c] <= kSide);
    s.cells[0][c] = byteOf(board[c]);
    s.cells[1][c % kSide * kSide + c / kSide] = byteOf(board[c]);
    s.form[c] = kAboveEveryValue;
  }
  for (CellIndex c = 0; c < kCellCount; ++c)
    symmetric = symmetric && s.cells[0][c] == s.cells[1][c];
  int patterns[2 * kSide];
  s.firstRowCount = 0;
  // A board equal to its transpose needs one orientation.
  for (int o = 0; o < (symmetric ? 1 : 2); ++o) {
    std::uint64_t rows[kSide];
    std::uint64_t columns[kSide];
    for (int i = 0; i < kSide; ++i) {
      rows[i] = lineKey(s.cells[o] + kSide * i, 1);
      columns[i] = lineKey(s.cells[o] + i, kSide);
    }
    for (int i = 0; i < kSide; ++i) {
      unsigned rowTwins = 0;
      unsigned columnTwins = 0;
      for (int j = i / 3 * 3; j < i; ++j) {
        if (rows[j] == rows[i]) rowTwins |= 1u << j;
        if (columns[j] == columns[i]) columnTwins |= 1u << j;
      }
      s.rowTwins[o][i] = static_cast<std::uint16_t>(rowTwins);
      s.columnTwins[o][i] = static_cast<std::uint16_t>(columnTwins);
    }
    for (int block = 0; block < kBlocks; ++block) {
      unsigned bandTwins = 0;
      unsigned stackTwins = 0;
      for (int other = 0; other < block; ++other) {
        if (sameLines(rows, block, other)) bandTwins |= 1u << other;
        if (sameLines(columns, block, other)) stackTwins |= 1u << other;
      }
      s.bandTwins[o][block] = byteOf(int(bandTwins));
      s.stackTwins[o][block] = byteOf(int(stackTwins));
    }
    // One row of each set of copies: not a copy of a lower row of its band,
    // nor in a band that copies a lower band.
    for (int row = 0; row < kSide; ++row) {
      if (s.rowTwins[o][row] != 0 || s.bandTwins[o][row / 3] != 0) continue;
      const int pattern = firstRowPattern(s.cells[o] + kSide * row);
      int at = s.firstRowCount++;
      for (; at > 0 && patterns[at - 1] > pattern; --at) {
        patterns[at] = patterns[at - 1];
        s.firstRows[at] = s.firstRows[at - 1];
      }
      patterns[at] = pattern;
      s.firstRows[at] = o * kSide + row;
    }
  }
  s.best = s.form;
  s.deepFound = false;
}

// Solution grids take their own path: every arrangement shows 123456789 in
// the first row, so the first row's source (orientation, row) and the second
// row's fix everything but the columns, and the relabelling follows the
// columns. The second row then reads the position in the first row of the
// digit under each column, and the rest of the form follows from the first
// column, whose digits all differ.
struct GridSearch {
  std::uint8_t cells[2][kCellCount];
  // By source column, the column of the first row that holds the second
  // row's digit under it; never in its own stack.
  std::int8_t partner[kSide];
  const std::uint8_t* first;
  // The source columns that can open the least second row.
  unsigned openers;
  int orientation;
  int firstRow;
  int secondRow;
  std::uint8_t form[kCellCount];
};

// The columns placed so far: the source column at each output column, the
// output column of each source column and the stack in each slot, -1 for
// none.
struct ColumnOrder {
  std::int8_t column[kSide];
  std::int8_t position[kSide];
  std::int8_t stackAt[kBlocks];
  std::int8_t slotOf[kBlocks];
};

bool isSolutionGrid(const int board[kCellCount]) {
  // Puzzles, with an empty cell mostly near the start, leave at once.
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (board[c] == 0) return false;
  for (int unit = 0; unit < kSide; ++unit) {
    unsigned rows = 0;
    unsigned columns = 0;
    unsigned boxes = 0;
    for (int i = 0; i < kSide; ++i) {
      const int boxCell = (unit / 3 * 3 + i / 3) * kSide + unit % 3 * 3 + i % 3;
      rows |= 1u << board[unit * kSide + i];
      columns |= 1u << board[i * kSide + unit];
      boxes |= 1u << board[boxCell];
    }
    if (rows != 0x3FEu || columns != 0x3FEu || boxes != 0x3FEu) return false;
  }
  return true;
}

void placeGridColumn(ColumnOrder& o, int column, int position) {
  const int stack = column / 3;
  const int slot = position / 3;
  o.column[position] = indexOf(column);
  o.position[column] = indexOf(position);
  o.stackAt[slot] = indexOf(stack);
  o.slotOf[stack] = indexOf(slot);
}

// The least output column a source column can still take: its own, the
// first open one of its stack's slot, or the first of the first open slot.
int leastPosition(const ColumnOrder& o, int column) {
  if (o.position[column] != kNone) return o.position[column];
  const int slot = o.slotOf[column / 3];
  if (slot != kNone) {
    int position = 3 * slot;
    while (o.column[position] != kNone) ++position;
    return position;
  }
  int open = 0;
  while (o.stackAt[open] != kNone) ++open;
  return 3 * open;
}

// The same once a column of another stack takes an output column of slot,
// which it may be the first to fill.
int leastPositionBeside(const ColumnOrder& o, int column, int slot) {
  if (o.position[column] != kNone) return o.position[column];
  const int own = o.slotOf[column / 3];
  if (own != kNone) {
    int position = 3 * own;
    while (o.column[position] != kNone) ++position;
    return position;
  }
  int open = 0;
  while (o.stackAt[open] != kNone || open == slot) ++open;
  return 3 * open;
}

// With every column placed: the third row, the band of the least first
// cell with its rows by their first cells, then the other band the same.
void finishGrid(GridSearch& g, const ColumnOrder& o, bool writing) {
  const std::uint8_t* cells = g.cells[g.orientation];
  std::uint8_t label[kSide + 1];
  for (int column = 0; column < kSide; ++column)
    label[g.first[column]] = byteOf(o.position[column] + 1);
  const int band = g.firstRow / 3;
  int rows[kSide];
  rows[2] = 3 * band + 3 - g.firstRow % 3 - g.secondRow % 3;
  int at = 3;
  for (int other = 0; other < kBlocks; ++other) {
    if (other == band) continue;
    int sorted[3] = {3 * other, 3 * other + 1, 3 * other + 2};
    int firstCell[3];
    for (int i = 0; i < 3; ++i) firstCell[i] = label[cells[kSide * sorted[i] + o.column[0]]];
    for (int i = 1; i < 3; ++i)
      for (int j = i; j > 0 && firstCell[j - 1] > firstCell[j]; --j) {
        std::swap(firstCell[j - 1], firstCell[j]);
        std::swap(sorted[j - 1], sorted[j]);
      }
    if (at == 6 && firstCell[0] < label[cells[kSide * rows[3] + o.column[0]]]) {
      for (int i = 0; i < 3; ++i) rows[6 + i] = rows[3 + i];
      at = 3;
    }
    for (int i = 0; i < 3; ++i) rows[at + i] = sorted[i];
    at = 6;
  }
  // -1 once less than the least so far, 1 once greater.
  int order = writing ? -1 : 0;
  for (int row = 2; row < kSide && order != 1; ++row) {
    const std::uint8_t* source = cells + kSide * rows[row];
    for (int position = 0; position < kSide && order != 1; ++position) {
      const std::uint8_t value = label[source[o.column[position]]];
      std::uint8_t& least = g.form[kSide * row + position];
      if (order == 0 && value != least) order = value < least ? -1 : 1;
      if (order == -1) least = value;
    }
  }
}

// The second row cell by cell: a cell's value is the output column of its
// partner, which takes the least it can; the source columns that give the
// least value at an open output column are tried in turn.
void searchGridRow(GridSearch& g, ColumnOrder& o, int position, bool writing) {
  for (; position < kSide; ++position) {
    std::uint8_t& least = g.form[kSide + position];
    if (o.column[position] != kNone) {
      const int partner = g.partner[o.column[position]];
      const int value = leastPosition(o, partner) + 1;
      if (!writing) {
        if (value > least) return;
        writing = value < least;
      }
      if (writing) least = byteOf(value);
      if (o.position[partner] == kNone) placeGridColumn(o, partner, value - 1);
      continue;
    }
    const int slot = position / 3;
    unsigned columns = 0;
    if (position == 0) {
      columns = g.openers;
    } else if (o.stackAt[slot] != kNone) {
      columns = columnsOfStack(o.stackAt[slot]);
    } else {
      for (int stack = 0; stack < kBlocks; ++stack)
        if (o.slotOf[stack] == kNone) columns |= columnsOfStack(stack);
    }
    int value = kSide + 1;
    unsigned ties = 0;
    for (unsigned rest = columns; rest != 0; rest &= rest - 1) {
      const int column = lowestBit(rest);
      if (o.position[column] != kNone) continue;
      const int candidate = leastPositionBeside(o, g.partner[column], slot) + 1;
      if (candidate < value) {
        value = candidate;
        ties = 0;
      }
      if (candidate == value) ties |= 1u << column;
    }
    if (!writing && value > least) return;
    if ((ties & (ties - 1)) == 0) {
      placeGridColumn(o, lowestBit(ties), position);
      --position;
      continue;
    }
    for (; ties != 0; ties &= ties - 1) {
      ColumnOrder child = o;
      placeGridColumn(child, lowestBit(ties), position);
      searchGridRow(g, child, position, writing);
      writing = false;
    }
    return;
  }
  finishGrid(g, o, writing);
}

// Which source columns can open the least second row, ranked by column,
// less better, 0 for one that cannot: the row starts 456 when the digits
// under the opener's stack all sit in one stack of the first row, else 457
// from either of the two columns whose partners share a stack. The fourth
// cell shows where the partner's partner goes: the opener itself, another
// column of its stack, or one of the third stack, the odd column's partner
// there first.
void rankOpeners(const std::int8_t partner[kSide], int rank[kSide]) {
  for (int stack = 0; stack < kBlocks; ++stack) {
    const int a = partner[3 * stack] / 3;
    const int b = partner[3 * stack + 1] / 3;
    const int c = partner[3 * stack + 2] / 3;
    const bool whole = a == b && b == c;
    const int major = a == b || a == c ? a : b;
    int odd = kNone;
    for (int column = 3 * stack; column < 3 * stack + 3; ++column)
      if (partner[column] / 3 != major) odd = column;
    for (int column = 3 * stack; column < 3 * stack + 3; ++column) {
      const int next = partner[partner[column]];
      if (column == odd) {
        rank[column] = 0;
      } else if (next == column) {
        rank[column] = whole ? 1 : 11;
      } else if (next / 3 == stack) {
        rank[column] = whole ? 2 : next == odd ? 13 : 12;
      } else {
        rank[column] = whole ? 7 : next == partner[odd] ? 17 : 18;
      }
    }
  }
}

void findGridForm(const int board[kCellCount], int form[kCellCount]) {
  GridSearch g;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    g.cells[0][c] = byteOf(board[c]);
    g.cells[1][c % kSide * kSide + c / kSide] = byteOf(board[c]);
    g.form[c] = c < kSide ? byteOf(c + 1) : kAboveEveryValue;
  }
  // Each choice of the first two rows with its partners and the openers
  // that start the least second row of all.
  std::int8_t partners[2 * kSide * 2][kSide];
  unsigned openers[2 * kSide * 2];
  int leastRank = kSide * kSide;
  int count = 0;
  int choice[2 * kSide * 2][3];
  for (int o = 0; o < 2; ++o) {
    for (int row = 0; row < kSide; ++row) {
      const std::uint8_t* first = g.cells[o] + kSide * row;
      std::int8_t columnOf[kSide + 1];
      for (int column = 0; column < kSide; ++column) columnOf[first[column]] = indexOf(column);
      for (int second = row / 3 * 3; second < row / 3 * 3 + 3; ++second) {
        if (second == row) continue;
        for (int column = 0; column < kSide; ++column)
          partners[count][column] = columnOf[g.cells[o][kSide * second + column]];
        int rank[kSide];
        rankOpeners(partners[count], rank);
        openers[count] = 0;
        for (int column = 0; column < kSide; ++column) {
          if (rank[column] == 0 || rank[column] > leastRank) continue;
          if (rank[column] < leastRank) {
            leastRank = rank[column];
            for (int k = 0; k < count; ++k) openers[k] = 0;
          }
          openers[count] |= 1u << column;
        }
        choice[count][0] = o;
        choice[count][1] = row;
        choice[count][2] = second;
        ++count;
      }
    }
  }
  for (int i = 0; i < count; ++i) {
    if (openers[i] == 0) continue;
    g.orientation = choice[i][0];
    g.firstRow = choice[i][1];
    g.secondRow = choice[i][2];
    g.first = g.cells[g.orientation] + kSide * g.firstRow;
    g.openers = openers[i];
    for (int column = 0; column < kSide; ++column) g.partner[column] = partners[i][column];
    ColumnOrder start;
    for (int k = 0; k < kSide; ++k) start.column[k] = start.position[k] = kNone;
    for (int k = 0; k < kBlocks; ++k) start.stackAt[k] = start.slotOf[k] = kNone;
    searchGridRow(g, start, 0, false);
  }
  for (CellIndex c = 0; c < kCellCount; ++c) form[c] = g.form[c];
}

}  // namespace

void findCanonicalForm(CanonicalWorkspace& workspace, const int board[kCellCount],
                       int form[kCellCount]) {
  if (isSolutionGrid(board)) {
    findGridForm(board, form);
    return;
  }
  Search s;
  prepareSearch(s, board);
  Arrangement& start = workspace.kept[0][0];
  start = Arrangement{};
  start.nextLabel = 1;
  start.sharedStacks = 7;
  for (int i = 0; i < kBlocks; ++i) start.stack[i] = kNone;
  for (int i = 0; i < kSide; ++i) {
    start.column[i] = kNone;
    start.groupOf[i] = kNone;
    start.groupAt[i] = kNone;
  }
  for (int digit = 0; digit <= kSide; ++digit) start.keyColumn[digit] = kNone;
  int count = 1;
  for (int row = 0; row < kSide; ++row) {
    Arrangement* searched = workspace.kept[row % 2];
    s.kept = workspace.kept[(row + 1) % 2];
    s.keptCount = 0;
    s.rowEnd = kSide * (row + 1);
    for (int i = 0; i < count; ++i) advance(s, searched[i], kSide * row, false);
    count = s.keptCount;
  }
  for (CellIndex c = 0; c < kCellCount; ++c) form[c] = s.form[c];
  // The arrangements finished depth first may have ended below the others.
  for (CellIndex c = 0; c < kCellCount && s.deepFound; ++c) {
    if (s.deepForm[c] == s.form[c]) continue;
    if (s.deepForm[c] < s.form[c])
      for (CellIndex d = 0; d < kCellCount; ++d) form[d] = s.deepForm[d];
    break;
  }
}

void writeFormText(const int form[kCellCount], char text[kCellCount]) {
  for (CellIndex c = 0; c < kCellCount; ++c) text[c] = form[c] == 0 ? '.' : char('0' + form[c]);
}
