// A drawing surface that records every call, for the painting tests.
#include "tests/fake/recording_surface.h"

#include <cstring>

void RecordingSurface::add(DrawOp op, int a, int b, int c, int d) {
  if (count >= kMaxCalls) return;
  DrawCall& call = calls[count++];
  call.op = op;
  call.a = a;
  call.b = b;
  call.c = c;
  call.d = d;
  call.text[0] = '\0';
}

void RecordingSurface::textOut(int x, int y, const char* text, int length) {
  if (count >= kMaxCalls) return;
  add(DrawOp::kTextOut, x, y, length, 0);
  DrawCall& call = calls[count - 1];
  int kept = length < int(sizeof call.text) - 1 ? length : int(sizeof call.text) - 1;
  std::memcpy(call.text, text, size_t(kept));
  call.text[kept] = '\0';
}
