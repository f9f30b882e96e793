// What one line of a puzzle list gives: its fields, the grids among them and
// the groups of candidates a helper program writes.
#include "cli/puzzle_line.h"

#include <bit>
#include <cstring>

#include "model/cell_characters.h"

namespace {

// What each byte of a line is to the reading: a cell's value or -1, and the
// kinds below. Puzzle lists often write an empty cell as '0'; the position
// box of the window skips it instead.
enum ByteKind : unsigned char {
  kBlankByte = 1,
  kSeparator = 2,
  // '|', '-' and '+', skipped in a candidate group.
  kGroupRule = 4,
  // The characters of a grid's border.
  kBorder = 8,
  kDash = 16,
};

struct ByteTable {
  signed char value[256];
  unsigned char kinds[256];
};

constexpr ByteTable makeByteTable() {
  ByteTable table{};
  for (int byte = 0; byte < 256; ++byte) {
    const bool blank = byte == ' ' || byte == '\t' || byte == '\v' || byte == '\f';
    const bool dash = byte == '-' || byte == '=';
    const bool groupRule = byte == '|' || byte == '-' || byte == '+';
    const bool border =
        dash || groupRule || byte == '.' || byte == ':' || byte == '*' || byte == '\'' || blank;
    table.value[byte] = static_cast<signed char>(byte == '0' ? 0 : cellCharacterValue(byte));
    table.kinds[byte] = static_cast<unsigned char>(
        (blank ? kBlankByte : 0) | (blank || byte == ';' || byte == ',' ? kSeparator : 0) |
        (groupRule ? kGroupRule : 0) | (border ? kBorder : 0) | (dash ? kDash : 0));
  }
  return table;
}

constexpr ByteTable kBytes = makeByteTable();

void startField(LineScan& scan) {
  scan.fieldBytes = 0;
  scan.fieldCells = 0;
  scan.fieldGroupOnly = true;
  scan.fieldRepeats = false;
  scan.fieldDigits = 0;
}

// A field of 729 cells is pencil marks when every place holds its own digit
// or is empty; a cell of one digit is filled.
bool readMarksField(const std::int8_t values[kMarksCellCount], GridText& grid) {
  for (CellIndex c = 0; c < kCellCount; ++c) {
    int marks = 0;
    for (int place = 0; place < 9; ++place) {
      const int value = values[9 * c + place];
      if (value != 0 && value != place + 1) return false;
      if (value != 0) marks |= 1 << place;
    }
    const bool filled = std::popcount(unsigned(marks)) == 1;
    grid.value[c] = std::int8_t(filled ? std::countr_zero(unsigned(marks)) + 1 : 0);
    grid.marks[c] = std::uint16_t(filled ? 0 : marks);
  }
  grid.marked = true;
  return true;
}

void readCellField(const std::int8_t values[kCellCount], GridText& grid) {
  std::memcpy(grid.value, values, kCellCount);
  std::memset(grid.marks, 0, sizeof grid.marks);
  grid.marked = false;
}

// A field ends: it may be a grid, a candidate group, a group's rule or
// something else, which makes the line no grid of groups.
void endField(LineScan& scan) {
  if (scan.fieldBytes == 0) return;
  if (scan.gridCount < 2) {
    GridText& grid = scan.grids[scan.gridCount];
    bool isGrid = false;
    if (scan.fieldCells == kCellCount) {
      readCellField(scan.fieldValues, grid);
      isGrid = true;
    } else if (scan.fieldCells == kMarksCellCount) {
      isGrid = readMarksField(scan.fieldValues, grid);
    }
    if (isGrid) {
      // Groups count again after the puzzle, as the position of a hint.
      if (++scan.gridCount == 1) {
        scan.groupsOnly = true;
        scan.groupCount = 0;
      }
      return;
    }
  }
  if (!scan.fieldGroupOnly || scan.fieldRepeats) {
    scan.groupsOnly = false;
  } else if (scan.fieldDigits != 0 && scan.groupCount <= kCellCount) {
    if (scan.groupCount < kCellCount)
      scan.groups[scan.groupCount] = std::uint16_t(scan.fieldDigits);
    ++scan.groupCount;
  }
}

}  // namespace

void startLineScan(LineScan& scan) {
  scan.blank = true;
  scan.ruleOnly = true;
  scan.ruleDash = false;
  scan.gathered = 0;
  scan.gridCount = 0;
  scan.groupsOnly = true;
  scan.groupCount = 0;
  startField(scan);
}

void scanLineByte(LineScan& scan, unsigned char byte) {
  const int kinds = kBytes.kinds[byte];
  const int value = kBytes.value[byte];
  if ((kinds & kBlankByte) == 0) scan.blank = false;
  if ((kinds & kBorder) == 0) scan.ruleOnly = false;
  if (kinds & kDash) scan.ruleDash = true;
  if (value >= 0 && scan.gathered < kCellCount)
    scan.gatheredValues[scan.gathered++] = std::int8_t(value);
  if (kinds & kSeparator) {
    endField(scan);
    startField(scan);
    return;
  }
  ++scan.fieldBytes;
  if (value >= 0 && scan.fieldCells <= kMarksCellCount) {
    if (scan.fieldCells < kMarksCellCount) scan.fieldValues[scan.fieldCells] = std::int8_t(value);
    ++scan.fieldCells;
  }
  if (value >= 1) {
    if (scan.fieldDigits & (1 << (value - 1))) scan.fieldRepeats = true;
    scan.fieldDigits |= 1 << (value - 1);
  } else if ((kinds & kGroupRule) == 0) {
    scan.fieldGroupOnly = false;
  }
}

LineKind endLineScan(LineScan& scan, PuzzleLine& line, std::uint16_t rowGroups[kRowGroups]) {
  endField(scan);
  if (scan.blank) return LineKind::kBlank;
  line.hasPosition = false;
  if (scan.gridCount > 0) {
    line.cellCount = kCellCount;
    line.puzzle = scan.grids[0];
    if (scan.gridCount == 2) {
      line.position = scan.grids[1];
      line.hasPosition = true;
    } else if (scan.groupsOnly && scan.groupCount == kCellCount) {
      readGroupGrid(scan.groups, line.position);
      line.hasPosition = true;
    }
    return LineKind::kEntry;
  }
  if (scan.groupsOnly && scan.groupCount == kCellCount) {
    line.cellCount = kCellCount;
    readGroupGrid(scan.groups, line.puzzle);
    return LineKind::kEntry;
  }
  line.cellCount = scan.gathered;
  std::memset(scan.gatheredValues + scan.gathered, 0, std::size_t(kCellCount - scan.gathered));
  readCellField(scan.gatheredValues, line.puzzle);
  if (scan.ruleOnly && scan.ruleDash && scan.gathered < kCellCount) return LineKind::kRule;
  if (!scan.groupsOnly || scan.groupCount != kRowGroups) return LineKind::kEntry;
  std::memcpy(rowGroups, scan.groups, sizeof(std::uint16_t) * kRowGroups);
  return LineKind::kRow;
}

void readCellLine(const std::int8_t values[kCellCount], PuzzleLine& line) {
  line.cellCount = kCellCount;
  readCellField(values, line.puzzle);
  line.hasPosition = false;
}

void readGroupGrid(const std::uint16_t groups[kCellCount], GridText& grid) {
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const unsigned digits = groups[c];
    const bool filled = std::popcount(digits) == 1;
    grid.value[c] = std::int8_t(filled ? std::countr_zero(digits) + 1 : 0);
    grid.marks[c] = std::uint16_t(filled ? 0 : digits);
  }
  grid.marked = true;
}
