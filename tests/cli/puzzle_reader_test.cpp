// vantric-solve's reading of puzzle lists: every form a line may take, read
// back from random grids written in it, and the grids on nine lines.
#include "cli/puzzle_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<PuzzleLine> readAll(const std::string& text) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  static PuzzleReader reader;
  openPuzzleReader(reader, file);
  std::vector<PuzzleLine> lines;
  PuzzleLine line;
  ReadResult result;
  while ((result = readPuzzleLine(reader, false, line)) == kLineRead) lines.push_back(line);
  EXPECT_EQ(result, kInputEnded);
  std::fclose(file);
  return lines;
}

// A random grid: some cells filled and, with marks, the others holding two
// or more candidates, or none where the form allows it.
GridText randomGrid(std::mt19937& random, bool marked, bool allowNoMarks) {
  GridText grid{};
  grid.marked = marked;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    if (random() % 3 == 0) {
      grid.value[c] = std::int8_t(1 + random() % 9);
      continue;
    }
    if (!marked) continue;
    unsigned marks = 0;
    while (std::popcount(marks) < 2 && !(allowNoMarks && marks == 0 && random() % 40 == 0))
      marks |= 1u << (random() % 9);
    grid.marks[c] = std::uint16_t(marks);
  }
  return grid;
}

std::string cellsText(const GridText& grid, char empty) {
  std::string text;
  for (CellIndex c = 0; c < kCellCount; ++c)
    text += grid.value[c] == 0 ? empty : char('0' + grid.value[c]);
  return text;
}

std::string marksText(const GridText& grid, char absent) {
  std::string text;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const int marks = grid.value[c] != 0 ? 1 << (grid.value[c] - 1) : grid.marks[c];
    for (int digit = 1; digit <= 9; ++digit)
      text += marks & (1 << (digit - 1)) ? char('0' + digit) : absent;
  }
  return text;
}

// A cell's group, its digits in a random order.
std::string groupText(const GridText& grid, CellIndex c, std::mt19937& random) {
  std::string group;
  const int marks = grid.value[c] != 0 ? 1 << (grid.value[c] - 1) : grid.marks[c];
  for (int digit = 1; digit <= 9; ++digit)
    if (marks & (1 << (digit - 1))) group += char('0' + digit);
  std::shuffle(group.begin(), group.end(), random);
  return group;
}

// A row of groups as helper programs draw it: blanks to line the columns
// up, '|' between the boxes.
std::string groupRow(const GridText& grid, int row, std::mt19937& random) {
  std::string text = random() % 2 ? "| " : "";
  for (int column = 0; column < 9; ++column) {
    const std::string group = groupText(grid, row * 9 + column, random);
    text += group + std::string(10 - group.size(), ' ');
    if (column % 3 == 2 && column < 8) text += random() % 2 ? "| " : "|";
  }
  return text + (random() % 2 ? "|" : "");
}

std::string groupLine(const GridText& grid, std::mt19937& random) {
  std::string text;
  for (int row = 0; row < 9; ++row) text += groupRow(grid, row, random) + " ";
  return text;
}

const char* const kBorders[] = {".--------------.--------------.--------------.",
                                ":--------------+--------------+--------------:",
                                "'--------------'--------------'--------------'",
                                "*-------------------------------------------*",
                                "|-------+-------+-------|",
                                "+=====+=====+=====+",
                                "------"};

std::string nineLines(const GridText& grid, std::mt19937& random, const char* end) {
  std::string text = std::string(kBorders[random() % 7]) + end;
  for (int row = 0; row < 9; ++row) {
    text += groupRow(grid, row, random) + end;
    if (row % 3 == 2) text += std::string(kBorders[random() % 7]) + end;
  }
  return text;
}

void expectGrid(const GridText& read, const GridText& written, const std::string& text) {
  ASSERT_EQ(read.marked, written.marked) << text;
  for (CellIndex c = 0; c < kCellCount; ++c) {
    ASSERT_EQ(read.value[c], written.value[c]) << "cell " << c << " of " << text;
    if (written.marked && written.value[c] == 0) {
      ASSERT_EQ(read.marks[c], written.marks[c]) << "cell " << c << " of " << text;
    }
  }
}

std::string hexHash(std::mt19937& random) {
  std::string hash;
  for (int i = 0; i < 12; ++i) hash += "0123456789abcdef"[random() % 16];
  return hash;
}

}  // namespace

// Each form of a line over random grids: the lists' own lines, whose puzzle
// is their first field of 81 cells; a grid drawn on one line, read over the
// whole line; pencil marks of 729 cells and groups of candidates; and a
// second grid, the position --hint reads.
TEST(PuzzleReader, EveryFormOfALine) {
  std::mt19937 random(2611);
  for (int round = 0; round < 300; ++round) {
    const GridText puzzle = randomGrid(random, false, false);
    const GridText other = randomGrid(random, false, false);
    const GridText marks = randomGrid(random, true, true);
    const GridText groups = randomGrid(random, true, false);
    const std::string dots = cellsText(puzzle, '.');
    const std::string zeros = cellsText(puzzle, '0');
    // A drawn line: blanks between cells, '|' between boxes, '*' for empty.
    std::string drawn;
    for (CellIndex c = 0; c < kCellCount; ++c)
      drawn += std::string(c % 3 == 0 ? "| " : "") + cellsText(puzzle, '*')[std::size_t(c)] + " ";
    struct Form {
      std::string text;
      const GridText* puzzle;
      const GridText* position;
    };
    const Form forms[] = {
        {dots, &puzzle, nullptr},
        {zeros + "\r", &puzzle, nullptr},
        {hexHash(random) + " " + zeros + "  " + std::to_string(round % 90 / 10) + ".2", &puzzle,
         nullptr},
        {std::to_string(round) + ";" + dots + ";" + cellsText(other, '0') + ";5.0", &puzzle,
         &other},
        {zeros + "," + cellsText(other, '.'), &puzzle, &other},
        {dots + " ED=7.2/1.2/1.2", &puzzle, nullptr},
        {dots + " # " + cellsText(other, '.'), &puzzle, nullptr},
        {"\t" + std::to_string(round) + "\t" + zeros + "\t", &puzzle, nullptr},
        {drawn, &puzzle, nullptr},
        {marksText(marks, round % 2 ? '.' : '0'), &marks, nullptr},
        {groupLine(groups, random), &groups, nullptr},
        {dots + " " + marksText(marks, '.'), &puzzle, &marks},
        {zeros + "  " + groupLine(groups, random), &puzzle, &groups},
        {std::to_string(1 + round % 9) + " " + hexHash(random) + " " + dots + " " +
             groupLine(groups, random),
         &puzzle, &groups},
        {hexHash(random) + " " + marksText(marks, '0') + " " + dots, &marks, &puzzle},
    };
    std::string text;
    for (const Form& form : forms) text += form.text + "\n";
    const std::vector<PuzzleLine> lines = readAll(text);
    ASSERT_EQ(lines.size(), std::size(forms));
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const Form& form = forms[i];
      EXPECT_EQ(lines[i].lineNumber, long(i) + 1);
      ASSERT_EQ(lines[i].cellCount, kCellCount) << form.text;
      expectGrid(lines[i].puzzle, *form.puzzle, form.text);
      ASSERT_EQ(lines[i].hasPosition, form.position != nullptr) << form.text;
      if (form.position != nullptr) expectGrid(lines[i].position, *form.position, form.text);
    }
  }
}

// Grids of candidate groups on nine lines, with the borders helper programs
// draw around and among them, at every line end; and rows that make no grid,
// each read then on its own as a line is without them.
TEST(PuzzleReader, GridsOnNineLines) {
  std::mt19937 random(77);
  const char* const ends[] = {"\n", "\r\n", "\r"};
  for (int round = 0; round < 100; ++round) {
    const GridText grids[2] = {randomGrid(random, true, false), randomGrid(random, true, false)};
    const char* end = ends[round % 3];
    const std::string first = nineLines(grids[0], random, end);
    const std::string text = first + "# a comment\n" + nineLines(grids[1], random, end);
    const std::vector<PuzzleLine> lines = readAll(text);
    ASSERT_EQ(lines.size(), 2u) << text;
    // The first row follows the top border; the second grid, a comment.
    EXPECT_EQ(lines[0].lineNumber, 2);
    EXPECT_EQ(lines[1].lineNumber, 16);
    for (int i = 0; i < 2; ++i) {
      ASSERT_EQ(lines[i].cellCount, kCellCount);
      EXPECT_FALSE(lines[i].hasPosition);
      expectGrid(lines[i].puzzle, grids[i], text);
    }
  }

  // Nine groups of nine digits are 81 cells: alone, such a row is a puzzle.
  const std::string full =
      "123456789 123456789 123456789 123456789 123456789 123456789 "
      "123456789 123456789 123456789";
  const std::string row = "| 1 2 3 | 45 6 78 | 9 12 3 |";
  const std::string puzzle(kCellCount, '.');
  std::string nine = row;
  for (int i = 1; i < 9; ++i) nine += "\n" + row;
  std::string borders;
  for (int i = 0; i < 15; ++i) borders += "+-----+\n";
  struct Broken {
    std::string text;
    std::vector<int> cellCounts;
    // Where the nine rows make a grid among the lines read.
    int grid;
  };
  const Broken broken[] = {
      // Rows cut short by a puzzle, a blank line, a comment, a line that is
      // not a row, a row of ten groups and the end of the input.
      {row + "\n" + full + "\n" + puzzle + "\n", {12, 81, 81}, -1},
      {row + "\n" + row + "\n\n" + row + "\n", {12, 12, 12}, -1},
      {row + "\n# 9 rows\n" + row + "\n", {12, 12}, -1},
      {row + "\n1 2 3 4 5 6 7 8 .\n", {12, 9}, -1},
      {row + "\n" + row + " 5\n", {12, 13}, -1},
      {full + "\n" + row, {81, 12}, -1},
      // Borders that border no grid are lines that are not puzzles; nor are
      // lines of border characters without a dash, or of 81 cells.
      {"------\n+---+\n" + row + "\n", {0, 0, 12}, -1},
      {".---.\n" + puzzle + "\n.-*-.\n", {2, 81, 3}, -1},
      {"| . : . |\n" + nine + "\n", {2, 81}, 1},
      {"--" + puzzle.substr(40) + " " + puzzle.substr(41) + "\n" + nine + "\n", {81, 81}, 1},
      // Fifteen borders before the rows, and one more.
      {borders + nine + "\n", {81}, 0},
      {borders + "------\n" + nine + "\n",
       {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 12, 12, 12, 12, 12, 12, 12, 12},
       -1},
  };
  for (const Broken& lines : broken) {
    const std::vector<PuzzleLine> read = readAll(lines.text);
    ASSERT_EQ(read.size(), lines.cellCounts.size()) << lines.text;
    for (std::size_t i = 0; i < read.size(); ++i) {
      EXPECT_EQ(read[i].cellCount, lines.cellCounts[i]) << i << " of " << lines.text;
      EXPECT_EQ(read[i].puzzle.marked, int(i) == lines.grid) << i << " of " << lines.text;
      EXPECT_GT(read[i].lineNumber, i == 0 ? 0 : read[i - 1].lineNumber) << lines.text;
    }
  }
  EXPECT_EQ(readAll(full + "\n")[0].puzzle.value[9], 1);
}

// Fields that are not grids: a pencil-mark field with a digit out of its
// place, fields of 80 and 82 cells, and groups that repeat a digit or hold
// an empty cell. The line is read over its whole length instead.
TEST(PuzzleReader, FieldsThatAreNotGrids) {
  std::string marks(kMarksCellCount, '.');
  marks[0] = '1';
  marks[10] = '1';
  std::string misplaced = marks;
  misplaced[11] = '3';
  const std::string puzzle(kCellCount, '.');
  std::string repeated = "122";
  std::string withZero = "10";
  for (int i = 1; i < kCellCount; ++i) {
    repeated += " 34";
    withZero += " 34";
  }
  const std::vector<PuzzleLine> lines =
      readAll(misplaced + "\n" + "1" + puzzle.substr(1) + "5 " + puzzle + "\n" + puzzle.substr(1) +
              " 5" + puzzle + "\n" + repeated + "\n" + withZero + "\n");
  ASSERT_EQ(lines.size(), 5u);
  for (const PuzzleLine& line : lines) {
    EXPECT_EQ(line.cellCount, kCellCount);
    EXPECT_FALSE(line.puzzle.marked);
    EXPECT_FALSE(line.hasPosition);
  }
  // The misplaced marks' first 81 cells: 1 at r1c1 and at r2c2, 3 at r2c3.
  EXPECT_EQ(lines[0].puzzle.value[0], 1);
  EXPECT_EQ(lines[0].puzzle.value[10], 1);
  EXPECT_EQ(lines[0].puzzle.value[11], 3);
  // 82 cells and then 81: the second field is the puzzle.
  EXPECT_EQ(lines[1].puzzle.value[0], 0);
  // 80 cells, then 82: the line's first 81 cells, 5 the 81st.
  EXPECT_EQ(lines[2].puzzle.value[80], 5);
  EXPECT_EQ(lines[3].puzzle.value[0], 1);
  EXPECT_EQ(lines[4].puzzle.value[2], 3);
}

// A grid on nine lines whose rows arrive a few at a time: the reader says
// the input paused rather than wait, and the grid comes whole.
TEST(PuzzleReader, PausesInTheMiddleOfAGrid) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  std::FILE* file = fdopen(ends[0], "rb");
  ASSERT_NE(file, nullptr);
  static PuzzleReader reader;
  openPuzzleReader(reader, file);
  std::mt19937 random(5);
  const GridText grid = randomGrid(random, true, false);
  const std::string puzzle = std::string(kCellCount, '.') + "\n";
  std::string rows;
  for (int row = 0; row < 9; ++row) rows += groupRow(grid, row, random) + "\n";
  const std::size_t half = rows.find('\n', rows.size() / 2) + 1;
  const auto send = [&ends](const std::string& text) {
    ASSERT_EQ(write(ends[1], text.data(), text.size()), ssize_t(text.size()));
  };
  PuzzleLine line;
  send(puzzle + rows.substr(0, half));
  ASSERT_EQ(readPuzzleLine(reader, true, line), kLineRead);
  EXPECT_EQ(line.lineNumber, 1);
  EXPECT_EQ(readPuzzleLine(reader, true, line), kInputPaused);
  send(rows.substr(half));
  ASSERT_EQ(readPuzzleLine(reader, false, line), kLineRead);
  EXPECT_EQ(line.lineNumber, 2);
  expectGrid(line.puzzle, grid, rows);
  EXPECT_EQ(readPuzzleLine(reader, true, line), kInputPaused);
  close(ends[1]);
  EXPECT_EQ(readPuzzleLine(reader, false, line), kInputEnded);
  std::fclose(file);
}
