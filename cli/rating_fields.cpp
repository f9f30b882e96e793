// The rating after a puzzle on its line. The reader hands over what
// followed the puzzle's cells; the rating is read from that text alone.
#include "cli/rating_fields.h"

#include <cstring>

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool endsField(char c) {
  return c == ' ' || c == '\t' || c == ';' || c == ',';
}

// A field [ED=|ER=][>=]D[D].D, the decimal followed by the field's end or
// by '/' and the lists' EP and ED.
bool readRatingField(const char* field, int length, LineRating* rating) {
  int at = 0;
  if (length >= 3 && (std::strncmp(field, "ED=", 3) == 0 || std::strncmp(field, "ER=", 3) == 0))
    at = 3;
  const bool atLeast = length - at >= 2 && field[at] == '>' && field[at + 1] == '=';
  if (atLeast) at += 2;
  int whole = 0;
  int digits = 0;
  // A third digit already makes it no rating; reading on would overflow.
  for (; at < length && isDigit(field[at]) && digits <= 2; ++at, ++digits)
    whole = whole * 10 + field[at] - '0';
  if (digits == 0 || digits > 2) return false;
  if (length - at < 2 || field[at] != '.' || !isDigit(field[at + 1])) return false;
  at += 2;
  // "7.25" or "7.2x" is some other number, not a rating.
  if (at < length && field[at] != '/') return false;
  *rating = LineRating{whole * 10 + field[at - 1] - '0', atLeast};
  return true;
}

}  // namespace

bool readRatingFields(const char* text, int length, LineRating* rating) {
  for (int at = 0; at < length;) {
    int end = at;
    while (end < length && !endsField(text[end])) ++end;
    if (end > at && readRatingField(text + at, end - at, rating)) return true;
    at = end + 1;
  }
  return false;
}
