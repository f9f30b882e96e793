// The rating fields after a puzzle on its line. The reader hands over what
// followed the puzzle's cells; the fields are read from that text alone.
#include "cli/rating_fields.h"

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

bool readRatingFields(const char* text, int length, LineRating* rating) {
  int at = 0;
  while (at < length && isBlank(text[at])) ++at;
  const bool atLeast = length - at >= 2 && text[at] == '>' && text[at + 1] == '=';
  if (atLeast) at += 2;
  int whole = 0;
  int digits = 0;
  for (; at < length && isDigit(text[at]); ++at, ++digits) whole = whole * 10 + text[at] - '0';
  if (digits == 0 || digits > 2) return false;
  if (length - at < 2 || text[at] != '.' || !isDigit(text[at + 1])) return false;
  const int tenths = whole * 10 + text[at + 1] - '0';
  at += 2;
  // "7.25" or "7.2x" is some other number, not a rating.
  if (at < length && !isBlank(text[at])) return false;
  *rating = LineRating{tenths, atLeast};
  return true;
}
