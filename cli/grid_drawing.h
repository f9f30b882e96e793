// Draws a puzzle or its solution with cairo, as printed puzzles look: thin
// lines between cells, thick ones round the boxes and the grid, clear digits.
#pragma once

#include <cairo.h>

#include "cli/print_input.h"
#include "cli/print_layout.h"

// The puzzle's number above the grid, its givens, and its difficulty under
// it when the input rated it.
void drawPuzzle(cairo_t* cairo, const GridSlot& slot, const PrintPuzzle& puzzle, int number);
// The solution under the same number: the givens in bold, the digits to
// find in grey.
void drawAnswer(cairo_t* cairo, const GridSlot& slot, const PrintPuzzle& puzzle, int number);

// Text with its left end, centre or right end at x, on the baseline y.
enum class Align { kLeft, kCentre, kRight };
void drawText(cairo_t* cairo, const char* text, double x, double y, Align align);
