// The drawing surface over the page's canvas.
#include "ui/web/canvas_surface.h"

#include "ui/web/page_imports.h"

namespace {

CanvasSurface heldSurface;

}  // namespace

void CanvasSurface::setPenColour(Colour colour) {
  pageSetPen(colour);
}

void CanvasSurface::setBrushColour(Colour colour) {
  pageSetBrush(colour);
}

void CanvasSurface::setTextColour(Colour colour) {
  pageSetTextColour(colour);
}

void CanvasSurface::selectFont(FontId font) {
  pageSelectFont(font);
}

void CanvasSurface::rectangle(int left, int top, int right, int bottom) {
  pageRectangle(left, top, right, bottom);
}

void CanvasSurface::moveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void CanvasSurface::lineTo(int x, int y) {
  pageLine(x_, y_, x, y);
  x_ = x;
  y_ = y;
}

void CanvasSurface::textOut(int x, int y, const char* text, int length) {
  pageTextOut(x, y, text, length);
}

Colour CanvasSurface::faceColour() {
  return pageFaceColour();
}

DrawSurface& windowSurface() {
  return heldSurface;
}
