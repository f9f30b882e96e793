// A grid and its digits, drawn in points from the slot's top left corner.
#include "cli/grid_drawing.h"

#include <cstdio>

#include "cli/difficulty_label.h"

namespace {

constexpr const char* kFontFamily = "sans-serif";
// Digits fill this much of a cell's height, ink and all.
constexpr double kDigitShare = 0.56;
constexpr double kFoundGrey = 0.4;

void selectFont(cairo_t* cairo, bool bold, double size) {
  cairo_select_font_face(cairo, kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cairo, size);
}

// The lines: a thin one between cells, a thick one round each box.
void drawLines(cairo_t* cairo, const GridSlot& slot) {
  const double cell = slot.side / 9.0;
  cairo_set_source_rgb(cairo, 0.0, 0.0, 0.0);
  cairo_set_line_cap(cairo, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cairo, slot.cellLine);
  for (int line = 1; line < 9; ++line) {
    if (line % 3 == 0) continue;
    cairo_move_to(cairo, slot.x + line * cell, slot.y);
    cairo_rel_line_to(cairo, 0.0, slot.side);
    cairo_move_to(cairo, slot.x, slot.y + line * cell);
    cairo_rel_line_to(cairo, slot.side, 0.0);
  }
  cairo_stroke(cairo);
  cairo_set_line_width(cairo, slot.boxLine);
  for (int line = 1; line < 3; ++line) {
    cairo_move_to(cairo, slot.x + line * 3 * cell, slot.y);
    cairo_rel_line_to(cairo, 0.0, slot.side);
    cairo_move_to(cairo, slot.x, slot.y + line * 3 * cell);
    cairo_rel_line_to(cairo, slot.side, 0.0);
  }
  cairo_stroke(cairo);
  // Square corners, the outline's width all round.
  cairo_set_line_join(cairo, CAIRO_LINE_JOIN_MITER);
  cairo_rectangle(cairo, slot.x, slot.y, slot.side, slot.side);
  cairo_stroke(cairo);
}

// A digit with its ink in the middle of its cell.
void drawDigit(cairo_t* cairo, const GridSlot& slot, CellIndex cell, int digit) {
  const double size = slot.side / 9.0;
  const char text[2] = {char('0' + digit), '\0'};
  cairo_text_extents_t extents;
  cairo_text_extents(cairo, text, &extents);
  const double left = slot.x + (cell % 9) * size;
  const double top = slot.y + (cell / 9) * size;
  cairo_move_to(cairo, left + (size - extents.width) / 2.0 - extents.x_bearing,
                top + (size - extents.height) / 2.0 - extents.y_bearing);
  cairo_show_text(cairo, text);
}

// The font size whose digits' ink is kDigitShare of a cell high.
double digitFontSize(cairo_t* cairo, const GridSlot& slot) {
  cairo_set_font_size(cairo, 100.0);
  cairo_text_extents_t extents;
  cairo_text_extents(cairo, "8", &extents);
  return 100.0 * kDigitShare * slot.side / 9.0 / extents.height;
}

void drawNumber(cairo_t* cairo, const GridSlot& slot, const char* text) {
  selectFont(cairo, true, slot.labelSize);
  cairo_set_source_rgb(cairo, 0.0, 0.0, 0.0);
  drawText(cairo, text, slot.x, slot.y - 0.6 * slot.labelSize, Align::kLeft);
}

}  // namespace

void drawText(cairo_t* cairo, const char* text, double x, double y, Align align) {
  cairo_text_extents_t extents;
  cairo_text_extents(cairo, text, &extents);
  const double shift = align == Align::kLeft     ? 0.0
                       : align == Align::kCentre ? extents.x_advance / 2.0
                                                 : extents.x_advance;
  cairo_move_to(cairo, x - shift, y);
  cairo_show_text(cairo, text);
}

void drawPuzzle(cairo_t* cairo, const GridSlot& slot, const PrintPuzzle& puzzle, int number) {
  char text[32];
  std::snprintf(text, sizeof text, "Puzzle %d", number);
  drawNumber(cairo, slot, text);
  drawLines(cairo, slot);
  selectFont(cairo, false, 1.0);
  cairo_set_font_size(cairo, digitFontSize(cairo, slot));
  for (CellIndex c = 0; c < kCellCount; ++c)
    if (puzzle.givens[c] != 0) drawDigit(cairo, slot, c, puzzle.givens[c]);
  if (!puzzle.rated) return;
  char label[kDifficultyLabelSize];
  formatDifficultyLabel(puzzle.rating, label);
  selectFont(cairo, false, slot.labelSize);
  drawText(cairo, label, slot.x + slot.side, slot.y + slot.side + 1.3 * slot.labelSize,
           Align::kRight);
}

void drawAnswer(cairo_t* cairo, const GridSlot& slot, const PrintPuzzle& puzzle, int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  drawNumber(cairo, slot, text);
  drawLines(cairo, slot);
  for (const bool givens : {true, false}) {
    selectFont(cairo, givens, 1.0);
    cairo_set_font_size(cairo, digitFontSize(cairo, slot));
    const double grey = givens ? 0.0 : kFoundGrey;
    cairo_set_source_rgb(cairo, grey, grey, grey);
    for (CellIndex c = 0; c < kCellCount; ++c)
      if ((puzzle.givens[c] != 0) == givens) drawDigit(cairo, slot, c, puzzle.solution[c]);
  }
}
