// A line of progress on standard error while a long run goes on at a
// terminal: first drawn after a second, then rewritten in place a few times
// a second, and cleared at the end. Nothing is drawn when standard error is
// not a terminal.
#pragma once

struct ProgressLine {
  bool shown;
  // Standard output is a terminal too: its lines go where this one stands.
  bool sharesTerminal;
  // Cleared for output lines: due again as soon as they are out.
  bool makingRoom;
  double nextSeconds;
  int length;
};

void openProgressLine(ProgressLine& progress, double nowSeconds);
// Whether the line is to be drawn now; the caller then words it and draws it.
bool progressDue(const ProgressLine& progress, double nowSeconds);
void drawProgressLine(ProgressLine& progress, double nowSeconds, const char* text);
// Takes the line away at the end.
void clearProgressLine(ProgressLine& progress);
// Before output lines: clears the line when they go to its terminal, and
// makes it due again at once.
void makeRoomForOutput(ProgressLine& progress);
