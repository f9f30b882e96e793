// Where everything in the window goes, from the measured fonts and the display's dpi.
#pragma once

#include "state/game_state.h"

// A right edge past any window's: the status line and the etched rules
// reach the client area's right edge whatever its width.
constexpr int kToRightEdge = 1000000;

// The point sizes of the fonts: the digit font and the position font are
// created at them; the GUI font is the system's, 8 points on Windows.
constexpr int kFontPoints[kFontCount] = {8, 30, 8};

// number * numerator / denominator in 64 bits, rounded to the nearest
// integer with halves away from zero, as the Windows MulDiv rounds; -1 when
// the denominator is 0 or the result does not fit an int, as there too.
int mulDiv(int number, int numerator, int denominator);
// A fixed distance of the 96-dpi design at the display's dpi (game.layout).
int scaleToDpi(int pixels);

// Cell size from the measured fonts in game.layout (lineHeight, digitWidth).
void computeCellSize();
// The seven rectangles of game.layout from the cell size and line heights.
void computeLayout();
// Top-left pixel of a cell's rectangle, with the box gaps.
void cellOrigin(CellIndex cell, int* x, int* y);

struct WindowPlacement {
  int clientWidth;
  int clientHeight;
  int x;
  int y;
  int width;
  int height;
};

// Where the outer window goes: the client area W x H centred on the screen
// and the outer size from the frame, caption and menu bar metrics.
void placeWindow(int screenWidth, int screenHeight, int frameWidth, int frameHeight,
                 int captionHeight, int menuHeight, WindowPlacement* placement);
