// Tests of vantric-print run as a process. Its pages are read back as a
// reader would see them: poppler renders each page, the grids are found in
// the pixels by their lines, and the digits pdftotext finds are placed in
// the cells of those grids. Nothing here knows where the program meant to
// draw anything.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/file_text.h"

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

struct ScratchFolder {
  std::string path;
  ScratchFolder() : path(testing::TempDir() + "vantric_print_XXXXXX") {
    if (mkdtemp(path.data()) == nullptr) std::abort();
    path += "/";
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
};

std::string scratch(const std::string& name) {
  static const ScratchFolder folder;
  return folder.path + name;
}

// Runs a shell command line; its standard output and error and exit status.
Outcome shell(const std::string& command) {
  const std::string out = scratch("shell_out");
  const std::string err = scratch("shell_err");
  const int raw = std::system(("(" + command + ") > '" + out + "' 2> '" + err + "'").c_str());
  return Outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
}

Outcome print(const std::string& arguments) {
  return shell(std::string("'") + VANTRIC_PRINT_PATH + "' " + arguments);
}

// Eight puzzles of one solution each; a rating after some, as vantric-make
// --rate writes it, and none after the fourth and the eighth.
const std::vector<std::string> kPuzzles = {
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......",
    "52...6.........7.13...........4..8..6......5...........418.........3..2...87.....",
    "6.....8.3.4.7.................5.4.7.3..2.....1.6.......2.....5.....8.6......1....",
    "48.3............71.2.......7.5....6....2..8.............1.76...3.....4......5....",
    "....14....3....2...7..........9...3.6.1.............8.2.....1.4....5.6.....7.8...",
    "......52..8.4......3...9...5.1...6..2..7........3.....6...1..........7.4.......3.",
    "6.2.5.........3.4..........43...8....1....2........7..5..27...........81...6.....",
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......",
};
const std::vector<std::string> kRatingFields = {
    " 2.3 NakedSingle", " 3.4 HiddenPair", "\t6.6 TurbotFish", "", " 7.2 ForcingChain",
    " 4.7 UniqueLoop", " >=11.1 Unfinished",
    // The line's kept bytes end after "7.2" of "7.25", which is no rating.
    " " + std::string(124, 'x') + " 7.25"};
const std::vector<std::string> kLabels = {"Easy · 2.3",   "Medium · 3.4", "Hard · 6.6",     "",
                                          "Expert · 7.2", "Medium · 4.7", "Expert · ≥11.1", ""};

std::string puzzleList() {
  std::string list = "# a printed set\n";
  for (std::size_t i = 0; i < kPuzzles.size(); ++i) list += kPuzzles[i] + kRatingFields[i] + "\n";
  return list;
}

int pdfPageCount(const std::string& pdf) {
  const Outcome info = shell("pdfinfo '" + pdf + "'");
  const std::size_t at = info.out.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.out.c_str() + at + 6);
}

// A word pdftotext found on a page, in points from the top left.
struct Word {
  double xMin, yMin, xMax, yMax;
  std::string text;
};

double attribute(const std::string& tag, const char* name) {
  const std::size_t at = tag.find(std::string(name) + "=\"");
  return at == std::string::npos ? -1.0 : std::atof(tag.c_str() + at + std::strlen(name) + 2);
}

std::vector<Word> pageWords(const std::string& pdf, int page) {
  const std::string html = scratch("words.html");
  const std::string number = std::to_string(page);
  shell("pdftotext -bbox -f " + number + " -l " + number + " '" + pdf + "' '" + html + "'");
  std::vector<Word> words;
  std::istringstream lines(readFile(html));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t open = line.find("<word ");
    if (open == std::string::npos) continue;
    const std::size_t close = line.find('>', open);
    const std::size_t end = line.find("</word>", close);
    const std::string tag = line.substr(open, close - open);
    words.push_back(Word{attribute(tag, "xMin"), attribute(tag, "yMin"), attribute(tag, "xMax"),
                         attribute(tag, "yMax"), line.substr(close + 1, end - close - 1)});
  }
  return words;
}

// A page rendered in grey without smoothing, one byte a pixel.
struct Image {
  int width = 0, height = 0;
  double dpi = 0;
  std::vector<unsigned char> pixels;
  bool dark(int x, int y) const { return pixels[std::size_t(y) * width + x] < 128; }
};

Image renderPage(const std::string& pdf, int page, double dpi) {
  const std::string prefix = scratch("page");
  const std::string number = std::to_string(page);
  shell("pdftoppm -gray -aa no -aaVector no -singlefile -r " + std::to_string(int(dpi)) + " -f " +
        number + " -l " + number + " '" + pdf + "' '" + prefix + "'");
  const std::string bytes = readFile(prefix + ".pgm");
  Image image;
  image.dpi = dpi;
  std::istringstream header(bytes);
  std::string magic;
  int maximum = 0;
  header >> magic >> image.width >> image.height >> maximum;
  if (magic != "P5" || maximum != 255) return Image{};
  const std::size_t start = std::size_t(header.tellg()) + 1;
  image.pixels.assign(bytes.begin() + long(start), bytes.end());
  if (image.pixels.size() != std::size_t(image.width) * image.height) return Image{};
  return image;
}

// A straight dark line across a page: where it lies across, how far it runs
// along, and how many pixels thick it is.
struct Line {
  double at;
  int from, to, thickness;
};

// Runs of dark pixels at least minLength long, along x (rows) or along y.
std::vector<Line> findLines(const Image& image, bool rows, int minLength) {
  const int across = rows ? image.height : image.width;
  const int along = rows ? image.width : image.height;
  std::vector<Line> lines;
  for (int a = 0; a < across; ++a) {
    for (int b = 0; b < along;) {
      int end = b;
      while (end < along && (rows ? image.dark(end, a) : image.dark(a, end))) ++end;
      if (end - b >= minLength) {
        // The run joins the line of the pixel row before it when it spans
        // the same stretch.
        auto same = std::find_if(lines.begin(), lines.end(), [&](Line& line) {
          return std::abs(line.from - b) <= 2 && std::abs(line.to - end) <= 2 &&
                 int(line.at + line.thickness / 2.0 + 0.5) == a;
        });
        if (same != lines.end()) {
          same->at += 0.5;
          ++same->thickness;
        } else {
          lines.push_back(Line{double(a), b, end, 1});
        }
      }
      b = end == b ? b + 1 : end;
    }
  }
  return lines;
}

// A grid found on a page: its ten horizontal and ten vertical lines, in
// pixels, and the digit read in each cell, 0 for none.
struct FoundGrid {
  std::vector<Line> rows, columns;
  int cells[81] = {};
  int cellOf(double x, double y) const {
    int row = -1, column = -1;
    for (int i = 0; i < 9; ++i) {
      if (y > rows[i].at && y < rows[i + 1].at) row = i;
      if (x > columns[i].at && x < columns[i + 1].at) column = i;
    }
    return row < 0 || column < 0 ? -1 : row * 9 + column;
  }
};

// The grids of a page in reading order: sets of ten lines each way that
// span the same square.
std::vector<FoundGrid> findGrids(const Image& image) {
  const int shortest = int(image.dpi);
  std::vector<Line> horizontal = findLines(image, true, shortest);
  std::vector<Line> vertical = findLines(image, false, shortest);
  std::vector<FoundGrid> grids;
  std::vector<bool> used(horizontal.size());
  for (std::size_t i = 0; i < horizontal.size(); ++i) {
    if (used[i]) continue;
    FoundGrid grid;
    const double bottom = horizontal[i].at + (horizontal[i].to - horizontal[i].from) + 3;
    for (std::size_t j = i; j < horizontal.size(); ++j) {
      if (std::abs(horizontal[j].from - horizontal[i].from) <= 3 &&
          std::abs(horizontal[j].to - horizontal[i].to) <= 3 && horizontal[j].at <= bottom &&
          !used[j]) {
        used[j] = true;
        grid.rows.push_back(horizontal[j]);
      }
    }
    for (const Line& line : vertical)
      if (line.at > horizontal[i].from - 3 && line.at < horizontal[i].to + 3 &&
          std::abs(line.from - grid.rows.front().at) <= 4)
        grid.columns.push_back(line);
    grids.push_back(grid);
  }
  return grids;
}

// Places each digit of the page's words in the grid whose cell holds its
// middle; a word of several digits is spread evenly over its width.
void readDigits(const std::vector<Word>& words, double dpi, std::vector<FoundGrid>& grids) {
  const double scale = dpi / 72.0;
  for (const Word& word : words) {
    if (word.text.find_first_not_of("123456789") != std::string::npos) continue;
    const double step = (word.xMax - word.xMin) / double(word.text.size());
    for (std::size_t i = 0; i < word.text.size(); ++i) {
      const double x = (word.xMin + (double(i) + 0.5) * step) * scale;
      const double y = (word.yMin + word.yMax) / 2.0 * scale;
      for (FoundGrid& grid : grids) {
        const int cell =
            grid.rows.size() == 10 && grid.columns.size() == 10 ? grid.cellOf(x, y) : -1;
        if (cell >= 0) grid.cells[cell] = word.text[i] - '0';
      }
    }
  }
}

std::string cellsText(const FoundGrid& grid, bool dots) {
  std::string text;
  for (const int value : grid.cells) text += value == 0 && dots ? '.' : char('0' + value);
  return text;
}

// The words within a band of points above (negative) or below the grid.
std::string wordsBeside(const std::vector<Word>& words, const FoundGrid& grid, double dpi,
                        double band) {
  const double scale = dpi / 72.0;
  const double top = grid.rows.front().at / scale, bottom = grid.rows.back().at / scale;
  const double left = grid.columns.front().at / scale, right = grid.columns.back().at / scale;
  std::string text;
  for (const Word& word : words) {
    const double middle = (word.yMin + word.yMax) / 2.0;
    const bool beside =
        band < 0 ? middle < top && middle > top + band : middle > bottom && middle < bottom + band;
    if (beside && word.xMin >= left - 1 && word.xMax <= right + 1)
      text += (text.empty() ? "" : " ") + word.text;
  }
  return text;
}

struct ReadPage {
  std::vector<FoundGrid> grids;
  std::vector<Word> words;
  double dpi;
};

ReadPage readPage(const std::string& pdf, int page) {
  ReadPage read{{}, pageWords(pdf, page), 100.0};
  const Image image = renderPage(pdf, page, read.dpi);
  read.grids = findGrids(image);
  readDigits(read.words, read.dpi, read.grids);
  // Nothing is drawn within 15 mm of the paper's edge, where printers
  // may not reach; a pixel less for the rendering's rounding.
  const int margin = int(15.0 / 25.4 * read.dpi) - 1;
  int inked = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.dark(x, y) &&
          (x < margin || y < margin || x >= image.width - margin || y >= image.height - margin))
        ++inked;
  EXPECT_EQ(inked, 0) << "page " << page << " inks its margin";
  EXPECT_GT(image.width, 0) << "page " << page << " did not render";
  return read;
}

// The lines of a grid: ten each way, every third one (the boxes and the
// outline) thicker than the six between.
void expectPrintedGrid(const FoundGrid& grid, const std::string& where) {
  ASSERT_EQ(grid.rows.size(), 10u) << where;
  ASSERT_EQ(grid.columns.size(), 10u) << where;
  for (const std::vector<Line>* lines : {&grid.rows, &grid.columns}) {
    int thinnest = 1000;
    int thickest = 0;
    for (int i = 0; i < 10; ++i) {
      const int thickness = (*lines)[std::size_t(i)].thickness;
      if (i % 3 == 0) thinnest = std::min(thinnest, thickness);
      if (i % 3 != 0) thickest = std::max(thickest, thickness);
    }
    EXPECT_GT(thinnest, thickest) << where << ": box lines no thicker than cell lines";
  }
}

// vantric-solve's solutions of a list, one 81-digit grid a puzzle.
std::vector<std::string> solveList(const std::string& list) {
  const Outcome solved = shell(std::string("'") + VANTRIC_SOLVE_PATH + "' '" + list + "'");
  std::vector<std::string> grids;
  std::istringstream lines(solved.out);
  for (std::string verdict, nodes, depth, seconds, grid;
       lines >> verdict >> nodes >> depth >> seconds >> grid;)
    grids.push_back(grid);
  return grids;
}

TEST(PrintCommand, GridsHoldTheirPuzzlesOnEveryLayoutAndPaper) {
  const std::string list = scratch("set.txt");
  writeFile(list, puzzleList());
  const int count = int(kPuzzles.size());
  for (const char* paper : {"a4", "letter"}) {
    for (const int perPage : {1, 2, 4, 6}) {
      const std::string pdf = scratch("set.pdf");
      const std::string where = std::string(paper) + ", " + std::to_string(perPage) + " a page";
      const Outcome outcome = print("--paper " + std::string(paper) + " --per-page " +
                                    std::to_string(perPage) + " -o '" + pdf + "' '" + list + "'");
      ASSERT_EQ(outcome.status, 0) << where << outcome.err;
      const int pages = (count + perPage - 1) / perPage;
      ASSERT_EQ(pdfPageCount(pdf), pages) << where;
      int number = 0;
      for (int page = 1; page <= pages; ++page) {
        const ReadPage read = readPage(pdf, page);
        ASSERT_EQ(int(read.grids.size()), std::min(perPage, count - number)) << where;
        for (const FoundGrid& grid : read.grids) {
          const std::string at = where + ", puzzle " + std::to_string(number + 1);
          expectPrintedGrid(grid, at);
          EXPECT_EQ(cellsText(grid, true), kPuzzles[std::size_t(number)]) << at;
          EXPECT_EQ(wordsBeside(read.words, grid, read.dpi, -20.0),
                    "Puzzle " + std::to_string(number + 1))
              << at;
          EXPECT_EQ(wordsBeside(read.words, grid, read.dpi, 20.0), kLabels[std::size_t(number)])
              << at;
          ++number;
        }
      }
      EXPECT_EQ(number, count) << where;
    }
  }
}

TEST(PrintCommand, AnswerPagesShowVantricSolvesSolutions) {
  // Thirteen puzzles: one answer page full and one more.
  std::string text;
  for (int i = 0; i < 13; ++i) text += kPuzzles[std::size_t(i) % kPuzzles.size()] + "\n";
  const std::string list = scratch("answers.txt");
  writeFile(list, text);
  const std::vector<std::string> solutions = solveList(list);
  ASSERT_EQ(solutions.size(), 13u);
  const std::string pdf = scratch("answers.pdf");
  const Outcome outcome =
      print("--per-page 6 --answers --title 'Week 12' -o '" + pdf + "' '" + list + "'");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  ASSERT_EQ(pdfPageCount(pdf), 3 + 2);
  int number = 0;
  for (int page = 1; page <= 5; ++page) {
    const ReadPage read = readPage(pdf, page);
    ASSERT_FALSE(read.grids.empty());
    std::string heading;
    for (const Word& word : read.words)
      if (word.yMax < read.grids.front().rows.front().at * 72.0 / read.dpi - 20.0)
        heading += (heading.empty() ? "" : " ") + word.text;
    EXPECT_EQ(heading, page <= 3 ? "Week 12" : "Week 12 – Answers");
    if (page <= 3) continue;
    ASSERT_EQ(read.grids.size(), page == 4 ? 12u : 1u);
    for (const FoundGrid& grid : read.grids) {
      const std::string at = "answer " + std::to_string(number + 1);
      expectPrintedGrid(grid, at);
      EXPECT_EQ(cellsText(grid, false), solutions[std::size_t(number)]) << at;
      EXPECT_EQ(wordsBeside(read.words, grid, read.dpi, -14.0), std::to_string(number + 1)) << at;
      ++number;
    }
  }
  EXPECT_EQ(number, 13);
}

TEST(PrintCommand, MakersRatedPuzzlesPrintWithTheirDifficulty) {
  const std::string pdf = scratch("made.pdf");
  const Outcome outcome =
      shell(std::string("'") + VANTRIC_MAKE_PATH + "' --seed 12 --rating 2.5-4.5 --rate 4 | '" +
            VANTRIC_PRINT_PATH + "' --title 'Week 12' -o '" + pdf + "'");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const ReadPage read = readPage(pdf, 1);
  ASSERT_EQ(read.grids.size(), 4u);
  for (const FoundGrid& grid : read.grids) {
    const std::string label = wordsBeside(read.words, grid, read.dpi, 20.0);
    EXPECT_EQ(label.rfind("Medium · ", 0), 0u) << label;
  }
}

TEST(PrintCommand, SolversFormatPrintsItsRatings) {
  std::string text;
  for (const std::string& puzzle : kPuzzles) text += puzzle + "\n";
  const std::string list = scratch("to_rate.txt");
  writeFile(list, text);
  const std::string solve = std::string("'") + VANTRIC_SOLVE_PATH + "' --max-work 2000000 ";
  const Outcome ratings = shell(solve + "--format '%r' '" + list + "'");
  ASSERT_EQ(ratings.status, 0) << ratings.err;
  const std::string pdf = scratch("rated.pdf");
  const Outcome outcome = shell(solve + "--format '%i;%g;%s;ED=%r/%p/%d %t' '" + list + "' | '" +
                                VANTRIC_PRINT_PATH + "' --per-page 6 -o '" + pdf + "'");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  std::istringstream expected(ratings.out);
  int number = 0;
  for (int page = 1; page <= 2; ++page) {
    const ReadPage read = readPage(pdf, page);
    for (const FoundGrid& grid : read.grids) {
      std::string rating;
      std::getline(expected, rating);
      const std::string label = wordsBeside(read.words, grid, read.dpi, 20.0);
      const std::size_t dot = label.find(" · ");
      ASSERT_NE(dot, std::string::npos) << label;
      EXPECT_EQ(label.substr(dot + std::strlen(" · ")),
                rating.substr(0, 2) == ">=" ? "≥" + rating.substr(2) : rating);
      EXPECT_EQ(cellsText(grid, true), kPuzzles[std::size_t(number++)]);
    }
  }
  EXPECT_EQ(number, int(kPuzzles.size()));
}

TEST(PrintCommand, SvgWritesAFileAPage) {
  const std::string list = scratch("svg.txt");
  writeFile(list, puzzleList());
  const std::filesystem::path folder = scratch("svg");
  std::filesystem::create_directory(folder);
  const Outcome outcome = print("--svg --paper letter --per-page 2 --answers -o '" +
                                (folder / "week.svg").string() + "' '" + list + "'");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"week-1.svg", "week-2.svg", "week-3.svg", "week-4.svg",
                                             "week-5.svg"}));
  const std::string page = readFile((folder / "week-5.svg").string());
  EXPECT_NE(page.find("<svg"), std::string::npos);
  EXPECT_NE(page.find("width=\"612pt\" height=\"792pt\""), std::string::npos);
}

TEST(PrintCommand, RefusesWithoutWritingAnything) {
  const std::string before = "an earlier file\n";
  const std::string pdf = scratch("kept.pdf");
  struct Case {
    std::string input;
    std::string arguments;
    int status;
    std::string message;
  };
  const std::string several = std::string(81, '.');
  const std::string none = "11" + kPuzzles[0].substr(2);
  const std::string unsolvable = "12345678." + std::string(8, '.') + "9" + std::string(63, '.');
  const std::vector<Case> cases = {
      {kPuzzles[0] + "\n\n" + several + "\n", "", 1, "-:3: not a puzzle to print: more than one"},
      {kPuzzles[0] + "\n" + none + "\n", "", 1, "-:2: not a puzzle to print: a digit repeats"},
      {kPuzzles[0] + "\n" + unsolvable + "\n", "", 1, "-:2: not a puzzle to print: no solution"},
      {kPuzzles[0] + "\n1234\n", "", 1, "-:2: not a puzzle (4 cells)"},
      {"# nothing\n", "", 1, "no puzzle to print"},
      {kPuzzles[0] + "\n", "--per-page 3", 2, "--per-page wants 1, 2, 4 or 6"},
      {kPuzzles[0] + "\n", "--paper a5", 2, "--paper wants a4 or letter"},
      {kPuzzles[0] + "\n", "--title '" + std::string(61, 'x') + "'", 2, "--title wants"},
      {kPuzzles[0] + "\n", "--title \"$(printf '\\377')\"", 2, "--title wants"},
      {kPuzzles[0] + "\n", "--frame", 2, "unknown option '--frame'"},
      {kPuzzles[0] + "\n", "'" + scratch("missing.txt") + "'", 2, "cannot open"},
  };
  for (const Case& c : cases) {
    writeFile(pdf, before);
    writeFile(scratch("in.txt"), c.input);
    const Outcome outcome = print(c.arguments + " -o '" + pdf + "' < '" + scratch("in.txt") + "'");
    EXPECT_EQ(outcome.status, c.status) << c.arguments << outcome.err;
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    EXPECT_EQ(readFile(pdf), before) << c.arguments;
  }
  // No temporary file is left beside the output.
  for (const auto& entry : std::filesystem::directory_iterator(scratch("")))
    EXPECT_EQ(entry.path().filename().string().rfind(".kept", 0), std::string::npos)
        << entry.path();
}

TEST(PrintCommand, OutputThatCannotBeWritten) {
  const std::string list = scratch("one.txt");
  writeFile(list, kPuzzles[0] + "\n");
  const Outcome full = print("'" + list + "' > /dev/full");
  EXPECT_EQ(full.status, 3);
  EXPECT_NE(full.err.find("cannot write standard output"), std::string::npos) << full.err;
  const Outcome folder = print("-o '" + scratch("no/such/folder.pdf") + "' '" + list + "'");
  EXPECT_EQ(folder.status, 3);
  EXPECT_NE(folder.err.find("cannot write"), std::string::npos) << folder.err;
  // A folder where a file or a page would go: no page takes its name, no
  // temporary file stays.
  std::filesystem::create_directories(scratch("pages/set-2.svg"));
  std::filesystem::create_directories(scratch("pages/folder.pdf"));
  const Outcome page = print("--svg --per-page 1 -o '" + scratch("pages/set.svg") + "' '" + list +
                             "' '" + list + "'");
  EXPECT_EQ(page.status, 3);
  EXPECT_NE(page.err.find("set-2.svg: Is a directory"), std::string::npos) << page.err;
  EXPECT_EQ(print("-o '" + scratch("pages/folder.pdf") + "' '" + list + "'").status, 3);
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(scratch("pages")))
    entries += entry.is_directory() ? 0 : 1;
  EXPECT_EQ(entries, 0);
  const Outcome svg = print("--svg '" + list + "'");
  EXPECT_EQ(svg.status, 2);
  // Standard output as the other programs write it, a PDF of one page.
  const Outcome out = print("- < '" + list + "' > '" + scratch("out.pdf") + "'");
  EXPECT_EQ(out.status, 0) << out.err;
  EXPECT_EQ(pdfPageCount(scratch("out.pdf")), 1);
}

}  // namespace
