// A drawing surface that records every call, for the painting tests.
#pragma once

#include "ui/draw_surface.h"

// A drawing surface that remembers every call, for tests of painting.
enum class DrawOp {
  kUsePenAndBrush,
  kPenColour,
  kBrushColour,
  kTextColour,
  kSelectFont,
  kRectangle,
  kMoveTo,
  kLineTo,
  kTextOut,
};

struct DrawCall {
  DrawOp op;
  int a, b, c, d;  // coordinates, colour or font, as the op needs
  char text[160];
};

class RecordingSurface final : public DrawSurface {
 public:
  static constexpr int kMaxCalls = 8192;
  static constexpr Colour kFace = 0xD8E9EC;

  void clear() { count = 0; }
  void usePenAndBrush() override { add(DrawOp::kUsePenAndBrush, 0, 0, 0, 0); }
  void setPenColour(Colour colour) override { add(DrawOp::kPenColour, int(colour), 0, 0, 0); }
  void setBrushColour(Colour colour) override { add(DrawOp::kBrushColour, int(colour), 0, 0, 0); }
  void setTextColour(Colour colour) override { add(DrawOp::kTextColour, int(colour), 0, 0, 0); }
  void selectFont(FontId font) override { add(DrawOp::kSelectFont, font, 0, 0, 0); }
  void rectangle(int l, int t, int r, int b) override { add(DrawOp::kRectangle, l, t, r, b); }
  void moveTo(int x, int y) override { add(DrawOp::kMoveTo, x, y, 0, 0); }
  void lineTo(int x, int y) override { add(DrawOp::kLineTo, x, y, 0, 0); }
  void textOut(int x, int y, const char* text, int length) override;
  Colour faceColour() override { return kFace; }

  DrawCall calls[kMaxCalls];
  int count = 0;

 private:
  void add(DrawOp op, int a, int b, int c, int d);
};
