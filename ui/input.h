// What each key, click and mouse move does.
#pragma once

#include "state/grid.h"

// The keys the program binds, as the front end names them to the core.
enum Key { kKeyOther = 0, kKeyBack, kKeyLeft, kKeyRight };

// The cell whose area (one pixel wider and higher than its rectangle)
// holds the point, the lower index winning; kNoCell when none does.
CellIndex hitTestCell(int x, int y);
void onMouseMove(int x, int y);
void onChar(unsigned character);
void onKeyDown(Key key);
void onLeftButtonDown();
void onRightButtonDown();
