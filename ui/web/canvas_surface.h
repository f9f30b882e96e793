// The drawing surface over the page's canvas.
#pragma once

#include "ui/draw_surface.h"

// The canvas keeps what is drawn on it, so one surface serves the whole
// life of the page, as the window's held context does.
class CanvasSurface final : public DrawSurface {
 public:
  void usePenAndBrush() override {}
  void setPenColour(Colour colour) override;
  void setBrushColour(Colour colour) override;
  void setTextColour(Colour colour) override;
  void selectFont(FontId font) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void moveTo(int x, int y) override;
  void lineTo(int x, int y) override;
  void textOut(int x, int y, const char* text, int length) override;
  Colour faceColour() override;

 private:
  // The current point, which GDI keeps in the context.
  int x_ = 0;
  int y_ = 0;
};
