// The three fonts, created for the display's dpi and measured into the layout.
#include "ui/win32/fonts.h"
#include "state/game_state.h"
#include "ui/layout.h"
#include "ui/win32/front_end.h"

namespace {

HFONT createPointFont(HDC dc, int points, const char* face) {
  // A negative height asks for the character height, not the cell height.
  const int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  return CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, face);
}

}  // namespace

void createFonts(HDC dc) {
  game.layout.dpi = GetDeviceCaps(dc, LOGPIXELSY);
  frontEnd.fonts[kFontGui] = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  frontEnd.fonts[kFontDigit] = createPointFont(dc, kFontPoints[kFontDigit], "Times New Roman");
  frontEnd.fonts[kFontPosition] = createPointFont(dc, kFontPoints[kFontPosition], "Courier New");
  for (int i = 0; i < kFontCount; ++i) {
    const HGDIOBJ previous = SelectObject(dc, frontEnd.fonts[i]);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SIZE extent = {};
    GetTextExtentPoint32A(dc, "9", 1, &extent);
    SelectObject(dc, previous);
    game.layout.lineHeight[i] = metrics.tmHeight + metrics.tmExternalLeading;
    game.layout.digitWidth[i] = extent.cx;
  }
  computeCellSize();
}
