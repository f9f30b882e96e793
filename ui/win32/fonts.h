// The three fonts, created for the display's dpi and measured into the layout.
#pragma once

#include <windows.h>

// Creates the three fonts and measures them into game.layout.
void createFonts(HDC dc);
