// The drawing surface over a GDI device context.
#pragma once

#include <windows.h>

#include "ui/draw_surface.h"

// The drawing surface over one device context: the held window context, or
// the paint context of one WM_PAINT.
class GdiSurface final : public DrawSurface {
 public:
  explicit GdiSurface(HDC dc) : dc_(dc) {}

  void usePenAndBrush() override;
  void setPenColour(Colour colour) override;
  void setBrushColour(Colour colour) override;
  void setTextColour(Colour colour) override;
  void selectFont(FontId font) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void moveTo(int x, int y) override;
  void lineTo(int x, int y) override;
  void textOut(int x, int y, const char* text, int length) override;
  Colour faceColour() override;

  void attach(HDC dc) { dc_ = dc; }

 private:
  HDC dc_;
};
