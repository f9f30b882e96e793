#pragma once

#include "state/game_state.h"

// Virtual-key codes the program binds.
constexpr unsigned kKeyBack = 0x08;
constexpr unsigned kKeyLeft = 0x25;
constexpr unsigned kKeyRight = 0x27;

// The cell whose area (one pixel wider and higher than its rectangle)
// holds the point, the lower index winning; kNoCell when none does.
CellIndex hitTestCell(int x, int y);
void onMouseMove(int x, int y);
void onChar(unsigned character);
void onKeyDown(unsigned key);
void onLeftButtonDown();
void onRightButtonDown();
