// vantric-make's progress line, which a long run draws while it works.
#include "cli/progress_line.h"

#include <cstdio>
#include <cstring>

#include "cli/stream_signals.h"

namespace {

constexpr double kFirstDrawSeconds = 1.0;
constexpr double kRedrawSeconds = 0.25;
// When standard error is no terminal: never due.
constexpr double kNever = 1e300;
constexpr int kLongestLine = 200;

// Writes "\r", text and blanks over the rest of the line shown, and ends with
// "\r" when ending; standard error is unbuffered, so it goes in one write.
void overwriteLine(const ProgressLine& progress, const char* text, bool ending) {
  char line[2 * kLongestLine + 3];
  int at = 0;
  line[at++] = '\r';
  const int length = int(std::strlen(text));
  std::memcpy(line + at, text, std::size_t(length));
  at += length;
  for (int i = length; i < progress.length; ++i) line[at++] = ' ';
  if (ending) line[at++] = '\r';
  std::fwrite(line, 1, std::size_t(at), stderr);
}

}  // namespace

void openProgressLine(ProgressLine& progress, double nowSeconds) {
  progress.shown = false;
  progress.makingRoom = false;
  progress.length = 0;
  progress.sharesTerminal = isTerminal(stdout);
  progress.nextSeconds = isTerminal(stderr) ? nowSeconds + kFirstDrawSeconds : kNever;
}

bool progressDue(const ProgressLine& progress, double nowSeconds) {
  return progress.makingRoom || nowSeconds >= progress.nextSeconds;
}

void drawProgressLine(ProgressLine& progress, double nowSeconds, const char* text) {
  const int length = int(std::strlen(text));
  if (length > kLongestLine) return;
  overwriteLine(progress, text, false);
  progress.shown = true;
  progress.makingRoom = false;
  progress.length = length;
  progress.nextSeconds = nowSeconds + kRedrawSeconds;
}

void clearProgressLine(ProgressLine& progress) {
  if (!progress.shown) return;
  overwriteLine(progress, "", true);
  progress.shown = false;
  progress.length = 0;
}

void makeRoomForOutput(ProgressLine& progress) {
  if (!progress.sharesTerminal || !progress.shown) return;
  clearProgressLine(progress);
  progress.makingRoom = true;
}
