// Painting the board, its candidates and colours, the rules and the status line.
#pragma once

#include "state/grid.h"
#include "ui/draw_surface.h"

constexpr Colour kColourBlack = 0x000000;
constexpr Colour kColourWhite = 0xFFFFFF;
constexpr Colour kColourCandidate = 0x808080;
constexpr Colour kColourEtchDark = 0x808080;
constexpr Colour kColourEtchLight = 0xFFFFFF;

// Full repaint of the client area; brings the analysis up to date first.
void paintAll(DrawSurface& surface);
// The cells meeting the area were drawn over from elsewhere, so the next
// repaintWindow draws them whatever it drew there before.
void forgetShownCells(int left, int top, int right, int bottom);
// The same for one cell; nothing for kNoCell.
void forgetShownCell(CellIndex cell);
// One cell; nothing for kNoCell.
void drawCell(DrawSurface& surface, CellIndex cell, bool highlighted);
void drawCandidates(DrawSurface& surface, CandidateMask mask, int x, int y);
Colour darkenColour(Colour colour);
