// The drawing surface over a GDI device context.
#include "ui/win32/gdi_surface.h"

#include "ui/win32/front_end.h"

void GdiSurface::usePenAndBrush() {
  SelectObject(dc_, GetStockObject(DC_PEN));
  SelectObject(dc_, GetStockObject(DC_BRUSH));
  SetBkMode(dc_, TRANSPARENT);
}

void GdiSurface::setPenColour(Colour colour) {
  // Lines may be drawn before any cell has selected the stock pen.
  SelectObject(dc_, GetStockObject(DC_PEN));
  SetDCPenColor(dc_, colour);
}

void GdiSurface::setBrushColour(Colour colour) {
  SelectObject(dc_, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc_, colour);
}

void GdiSurface::setTextColour(Colour colour) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, colour);
}

void GdiSurface::selectFont(FontId font) {
  SelectObject(dc_, frontEnd.fonts[font]);
}

void GdiSurface::rectangle(int left, int top, int right, int bottom) {
  Rectangle(dc_, left, top, right, bottom);
}

void GdiSurface::moveTo(int x, int y) {
  MoveToEx(dc_, x, y, nullptr);
}

void GdiSurface::lineTo(int x, int y) {
  LineTo(dc_, x, y);
}

void GdiSurface::textOut(int x, int y, const char* text, int length) {
  TextOutA(dc_, x, y, text, length);
}

Colour GdiSurface::faceColour() {
  return GetSysColor(COLOR_BTNFACE);
}
