#pragma once

#include "state/game_state.h"

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
