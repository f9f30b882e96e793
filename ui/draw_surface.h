// The small drawing surface painting goes through, and the window's held one.
#pragma once

#include "state/grid.h"
#include "state/layout_metrics.h"

// What painting needs of a device context. The pixel rules are GDI's:
// rectangle() outlines l..r-1 and t..b-1 with the pen and fills the inside
// with the brush; lineTo() stops short of its end point; text is placed by
// its top-left corner on a transparent background.
class DrawSurface {
 public:
  virtual void usePenAndBrush() = 0;
  virtual void setPenColour(Colour colour) = 0;
  virtual void setBrushColour(Colour colour) = 0;
  virtual void setTextColour(Colour colour) = 0;
  virtual void selectFont(FontId font) = 0;
  virtual void rectangle(int left, int top, int right, int bottom) = 0;
  virtual void moveTo(int x, int y) = 0;
  virtual void lineTo(int x, int y) = 0;
  virtual void textOut(int x, int y, const char* text, int length) = 0;
  // The button-face system colour, used for the status line's background.
  virtual Colour faceColour() = 0;

 protected:
  ~DrawSurface() = default;
};

// The surface held for the life of the window; drawing on it shows at once.
// The front end (or the test fake, or the console stub) provides it.
DrawSurface& windowSurface();
