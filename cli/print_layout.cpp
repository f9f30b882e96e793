// The page's arrangement: a heading, the grids in rows and columns, the page
// number, all within a margin that every printer can print to.
#include "cli/print_layout.h"

namespace {

// 15 mm: inside most printers' unprintable edge.
constexpr double kMargin = 15.0 * 72.0 / 25.4;
constexpr double kHeadingSize = 18.0;
constexpr double kFooterSize = 8.0;
constexpr double kColumnGap = 30.0;
constexpr double kRowGap = 14.0;
// The lines grow with the grid, so that a large grid's boxes still stand
// out, up to the widest box line, whose half past the square the margin
// makes room for.
constexpr double kWidestBoxLine = 3.0;
// The part of a font size below the baseline: DejaVu Sans's descent.
constexpr double kDescent = 0.24;

double clamp(double value, double low, double high) {
  return value < low ? low : value > high ? high : value;
}

struct Arrangement {
  int columns;
  int rows;
  double labelSize;
};

PageLayout layoutPage(Paper paper, Arrangement arrangement) {
  PageLayout layout{};
  layout.size = paperSize(paper);
  layout.margin = kMargin;
  layout.headingSize = kHeadingSize;
  layout.headingBaseline = kMargin + kHeadingSize;
  layout.footerSize = kFooterSize;
  layout.footerBaseline = layout.size.height - kMargin - kDescent * kFooterSize;
  const double top = layout.headingBaseline + kHeadingSize;
  const double bottom = layout.footerBaseline - 2.0 * kFooterSize;
  const double width = layout.size.width - 2.0 * kMargin - kWidestBoxLine;
  const double height = bottom - top;
  const double band = kLabelBand * arrangement.labelSize;
  const int columns = arrangement.columns;
  const int rows = arrangement.rows;
  const double sideByWidth = (width - (columns - 1) * kColumnGap) / columns;
  const double sideByHeight = (height - (rows - 1) * kRowGap) / rows - 2.0 * band;
  const double side = sideByWidth < sideByHeight ? sideByWidth : sideByHeight;
  // The block of grids sits in the middle of the space between heading and
  // page number.
  const double blockWidth = columns * side + (columns - 1) * kColumnGap;
  const double blockHeight = rows * (side + 2.0 * band) + (rows - 1) * kRowGap;
  const double left = kMargin + kWidestBoxLine / 2.0 + (width - blockWidth) / 2.0;
  const double cellLine = clamp(side / 500.0, 0.5, 1.0);
  const double boxLine = clamp(side / 160.0, 1.5, kWidestBoxLine);
  const double upper = top + (height - blockHeight) / 2.0;
  layout.slotCount = columns * rows;
  for (int slot = 0; slot < layout.slotCount; ++slot) {
    const int row = slot / columns;
    const int column = slot % columns;
    layout.slots[slot] = GridSlot{left + column * (side + kColumnGap),
                                  upper + row * (side + 2.0 * band + kRowGap) + band,
                                  side,
                                  arrangement.labelSize,
                                  cellLine,
                                  boxLine};
  }
  return layout;
}

}  // namespace

PageSize paperSize(Paper paper) {
  // A4 is 210 by 297 mm; US Letter 8.5 by 11 inches.
  if (paper == Paper::kLetter) return PageSize{612.0, 792.0};
  return PageSize{210.0 * 72.0 / 25.4, 297.0 * 72.0 / 25.4};
}

PageLayout layoutPuzzlePage(Paper paper, int perPage) {
  switch (perPage) {
    case 1:
      return layoutPage(paper, Arrangement{1, 1, 14.0});
    case 2:
      return layoutPage(paper, Arrangement{1, 2, 12.0});
    case 4:
      return layoutPage(paper, Arrangement{2, 2, 11.0});
    default:
      return layoutPage(paper, Arrangement{2, 3, 10.0});
  }
}

PageLayout layoutAnswerPage(Paper paper) {
  static_assert(kAnswersPerPage == 3 * 4 && kAnswersPerPage <= kMaxSlots);
  return layoutPage(paper, Arrangement{3, 4, 8.0});
}
