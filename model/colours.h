// The fill colours of the cells, by what the analysis says of them.
#pragma once

#include "state/grid.h"

// What the analysis says of a cell, as the fill colour painting uses.
constexpr Colour kColourPlain = 0xFFFFFF;
constexpr Colour kColourHiddenSingle = 0xC0FFC0;
constexpr Colour kColourNakedSingle = 0x80FF80;
constexpr Colour kColourGiven = 0xC0C0C0;
constexpr Colour kColourError = 0x4040FF;
