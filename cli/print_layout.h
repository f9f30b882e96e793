// Where vantric-print puts things on a page, in points (1/72 inch) from the
// page's top left corner.
#pragma once

enum class Paper { kA4, kLetter };

struct PageSize {
  double width;
  double height;
};

// A grid's square and the lines of text above and below it.
struct GridSlot {
  double x;
  double y;
  double side;
  // The font size of the number above the grid and the difficulty under it,
  // each in a band of kLabelBand times that size.
  double labelSize;
  // The widths of the lines between cells and of those round the boxes and
  // the grid, which stand out by half the width past the square.
  double cellLine;
  double boxLine;
};

// The most grids a page holds: an answer page's.
constexpr int kMaxSlots = 12;
constexpr int kAnswersPerPage = 12;
// A label's band, in its font sizes: the line and the space to the grid.
constexpr double kLabelBand = 1.8;

struct PageLayout {
  PageSize size;
  // The margin on every side, within which nothing is drawn.
  double margin;
  // The baselines of the heading and of the page number.
  double headingBaseline;
  double headingSize;
  double footerBaseline;
  double footerSize;
  int slotCount;
  GridSlot slots[kMaxSlots];
};

PageSize paperSize(Paper paper);
// A page of perPage puzzles (1, 2, 4 or 6), in reading order.
PageLayout layoutPuzzlePage(Paper paper, int perPage);
// A page of kAnswersPerPage solutions, smaller.
PageLayout layoutAnswerPage(Paper paper);
