// Feeds arbitrary bytes to vantric-solve's line reader and checks every line
// it returns against a plain reading of the same bytes: whole lines split
// into fields, and grids on nine lines found by looking ahead.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/puzzle_reader.h"

namespace {

PuzzleReader reader;

int expectedCellValue(std::uint8_t byte) {
  if (byte >= '1' && byte <= '9') return byte - '0';
  if (byte == '0' || byte == '.' || byte == '*') return 0;
  return -1;
}

bool isBlankByte(std::uint8_t byte) {
  return byte == ' ' || byte == '\t' || byte == '\v' || byte == '\f';
}

bool endsLine(std::uint8_t byte) {
  return byte == '\n' || byte == '\r';
}

bool isSeparator(std::uint8_t byte) {
  return isBlankByte(byte) || byte == ';' || byte == ',';
}

GridText cellGrid(const std::vector<int>& cells) {
  GridText grid{};
  for (std::size_t c = 0; c < cells.size() && c < std::size_t(kCellCount); ++c)
    grid.value[c] = std::int8_t(cells[c]);
  return grid;
}

// One digit is a filled cell, more are its candidates.
void setCell(GridText& grid, int cell, int marks) {
  const bool one = marks != 0 && (marks & (marks - 1)) == 0;
  int digit = 0;
  while (one && (1 << digit) != marks) ++digit;
  grid.value[cell] = std::int8_t(one ? digit + 1 : 0);
  grid.marks[cell] = std::uint16_t(one ? 0 : marks);
}

bool marksGrid(const std::vector<int>& cells, GridText& grid) {
  grid = GridText{};
  grid.marked = true;
  for (int cell = 0; cell < kCellCount; ++cell) {
    int marks = 0;
    for (int place = 0; place < 9; ++place) {
      const int value = cells[std::size_t(cell * 9 + place)];
      if (value != 0 && value != place + 1) return false;
      if (value != 0) marks |= 1 << place;
    }
    setCell(grid, cell, marks);
  }
  return true;
}

GridText groupGrid(const std::vector<int>& groups) {
  GridText grid{};
  grid.marked = true;
  for (int cell = 0; cell < kCellCount; ++cell) setCell(grid, cell, groups[std::size_t(cell)]);
  return grid;
}

enum class Kind { kBlank, kRule, kRow, kEntry };

struct Reading {
  Kind kind;
  long long number;
  PuzzleLine line;
  std::vector<int> groups;
};

// One line, its comment cut off.
Reading readLine(const std::string& text, long long number) {
  Reading reading{Kind::kEntry, number, PuzzleLine{}, {}};
  reading.line.lineNumber = number;
  bool blank = true;
  bool rule = true;
  bool dash = false;
  std::vector<int> cells;
  for (const char c : text) {
    const auto byte = std::uint8_t(c);
    blank = blank && isBlankByte(byte);
    rule = rule && (std::strchr("-=+|.:*'", c) != nullptr || isBlankByte(byte)) && c != '\0';
    dash = dash || c == '-' || c == '=';
    if (expectedCellValue(byte) >= 0) cells.push_back(expectedCellValue(byte));
  }
  if (blank) return Reading{Kind::kBlank, number, PuzzleLine{}, {}};
  std::vector<GridText> grids;
  std::vector<int> groups;
  bool groupsOnly = true;
  for (std::size_t at = 0; at <= text.size();) {
    std::size_t end = at;
    while (end < text.size() && !isSeparator(std::uint8_t(text[end]))) ++end;
    const std::string field = text.substr(at, end - at);
    at = end + 1;
    if (field.empty()) continue;
    std::vector<int> fieldCells;
    bool groupOnly = true;
    int digits = 0;
    bool repeats = false;
    for (const char c : field) {
      const int value = expectedCellValue(std::uint8_t(c));
      if (value >= 0) fieldCells.push_back(value);
      if (value >= 1) {
        repeats = repeats || (digits & (1 << (value - 1))) != 0;
        digits |= 1 << (value - 1);
      } else if (c != '|' && c != '-' && c != '+') {
        groupOnly = false;
      }
    }
    GridText grid{};
    if (grids.size() < 2 && fieldCells.size() == std::size_t(kCellCount)) {
      grids.push_back(cellGrid(fieldCells));
    } else if (grids.size() < 2 && fieldCells.size() == std::size_t(kMarksCellCount) &&
               marksGrid(fieldCells, grid)) {
      grids.push_back(grid);
    } else if (!groupOnly || repeats) {
      groupsOnly = false;
      continue;
    } else if (digits != 0) {
      groups.push_back(digits);
      continue;
    } else {
      continue;
    }
    if (grids.size() == 1) {
      groupsOnly = true;
      groups.clear();
    }
  }
  PuzzleLine& line = reading.line;
  line.cellCount = kCellCount;
  if (!grids.empty()) {
    line.puzzle = grids[0];
    line.hasPosition =
        grids.size() == 2 || (groupsOnly && groups.size() == std::size_t(kCellCount));
    if (line.hasPosition) line.position = grids.size() == 2 ? grids[1] : groupGrid(groups);
    return reading;
  }
  if (groupsOnly && groups.size() == std::size_t(kCellCount)) {
    line.puzzle = groupGrid(groups);
    return reading;
  }
  if (rule && dash && cells.size() < std::size_t(kCellCount)) reading.kind = Kind::kRule;
  line.cellCount = int(cells.size() < std::size_t(kCellCount) ? cells.size() : kCellCount);
  line.puzzle = cellGrid(cells);
  if (groupsOnly && groups.size() == std::size_t(kRowGroups) && reading.kind == Kind::kEntry) {
    reading.kind = Kind::kRow;
    reading.groups = groups;
  }
  return reading;
}

// Every line the reader should return, in order: nine rows, with borders
// before and among them, make one grid, and the borders right after it are
// its own; the lines of a run that makes none each stand alone.
std::vector<PuzzleLine> expectedLines(const std::vector<Reading>& readings) {
  std::vector<PuzzleLine> lines;
  bool afterGrid = false;
  for (std::size_t i = 0; i < readings.size();) {
    const Reading& reading = readings[i];
    if (reading.kind == Kind::kRule && afterGrid) {
      ++i;
      continue;
    }
    afterGrid = false;
    if (reading.kind != Kind::kRule && reading.kind != Kind::kRow) {
      if (reading.kind == Kind::kEntry) lines.push_back(reading.line);
      ++i;
      continue;
    }
    std::vector<int> groups;
    long long firstRow = 0;
    std::size_t end = i;
    int rows = 0;
    for (; end < readings.size() && end - i < std::size_t(PuzzleReader::kHeldLines) &&
           rows < kRowGroups &&
           (readings[end].kind == Kind::kRule || readings[end].kind == Kind::kRow);
         ++end) {
      if (readings[end].kind != Kind::kRow) continue;
      if (rows++ == 0) firstRow = readings[end].number;
      groups.insert(groups.end(), readings[end].groups.begin(), readings[end].groups.end());
    }
    if (rows == kRowGroups) {
      PuzzleLine grid{};
      grid.lineNumber = firstRow;
      grid.cellCount = kCellCount;
      grid.puzzle = groupGrid(groups);
      lines.push_back(grid);
      afterGrid = true;
    } else {
      for (std::size_t held = i; held < end; ++held) lines.push_back(readings[held].line);
    }
    i = end;
  }
  return lines;
}

std::vector<Reading> readingsOf(const std::uint8_t* data, std::size_t size, long long number) {
  std::vector<Reading> readings;
  for (std::size_t at = 0; at < size; ++number) {
    std::size_t end = at;
    while (end < size && !endsLine(data[end])) ++end;
    std::size_t cut = at;
    while (cut < end && data[cut] != '#') ++cut;
    readings.push_back(
        readLine(std::string(reinterpret_cast<const char*>(data) + at, cut - at), number));
    const bool carriageReturnLineFeed =
        end + 1 < size && data[end] == '\r' && data[end + 1] == '\n';
    at = end + (carriageReturnLineFeed ? 2 : 1);
  }
  return readings;
}

void checkGrid(const GridText& read, const GridText& expected) {
  if (read.marked != expected.marked) std::abort();
  for (int c = 0; c < kCellCount; ++c) {
    if (read.value[c] != expected.value[c]) std::abort();
    if (expected.marked && read.marks[c] != expected.marks[c]) std::abort();
  }
}

// Reads stream through the reader; the lines of data start at stream line
// firstNumber.
void checkStream(const std::vector<char>& stream, const std::uint8_t* data, std::size_t size,
                 long long firstNumber) {
  // The reader reads the file's descriptor, which a memory stream lacks.
  std::FILE* file = std::tmpfile();
  if (file == nullptr || std::fwrite(stream.data(), 1, stream.size(), file) != stream.size() ||
      std::fflush(file) != 0)
    std::abort();
  std::rewind(file);
  openPuzzleReader(reader, file);
  PuzzleLine line;
  for (const PuzzleLine& expected : expectedLines(readingsOf(data, size, firstNumber))) {
    if (readPuzzleLine(reader, false, line) != kLineRead) std::abort();
    if (line.lineNumber != expected.lineNumber || line.cellCount != expected.cellCount)
      std::abort();
    checkGrid(line.puzzle, expected.puzzle);
    if (line.hasPosition != expected.hasPosition) std::abort();
    if (expected.hasPosition) checkGrid(line.position, expected.position);
  }
  if (readPuzzleLine(reader, false, line) != kInputEnded) std::abort();
  std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<char> stream(data, data + size);
  checkStream(stream, data, size, 1);

  // One input in eight is read again behind a comment line that ends just
  // before the reader's buffer does, so that its bytes cross from one fill of
  // the buffer to the next; reading the comment takes most of the run time.
  if (data[0] % 8 != 0) return 0;
  const std::size_t padding = PuzzleReader::kBufferSize - 1 - data[size - 1] % 128;
  stream.assign(padding, 'x');
  stream[0] = '#';
  stream.push_back('\n');
  stream.insert(stream.end(), data, data + size);
  checkStream(stream, data, size, 2);
  return 0;
}
