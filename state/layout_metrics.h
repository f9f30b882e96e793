// The window's measured fonts and the rectangles laid out from them.
#pragma once

struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};

enum FontId { kFontGui = 0, kFontDigit = 1, kFontPosition = 2, kFontCount = 3 };

struct LayoutMetrics {
  // Pixels per logical inch of the display; the fixed distances of the
  // layout are designed for 96 and scaled by dpi / 96.
  int dpi;
  int lineHeight[kFontCount];
  int digitWidth[kFontCount];
  int cellWidth;
  int cellHeight;
  Rect boardRect;
  Rect buttonRect;
  Rect movesLabelRect;
  Rect movesEditRect;
  Rect positionLabelRect;
  Rect positionEditRect;
  Rect statusRect;
};
