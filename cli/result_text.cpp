// The pieces of vantric-solve's and vantric-make's output lines: a line per
// puzzle of a list of tens of thousands, where printf's format parsing costs
// as much as reading.
#include "cli/result_text.h"

#include <cmath>
#include <cstring>

#include "logic/technique_names.h"

int appendText(char* out, int length, const char* text) {
  while (*text != '\0') out[length++] = *text++;
  return length;
}

int appendNumber(char* out, int length, long long value) {
  unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                           : static_cast<unsigned long long>(value);
  if (value < 0) out[length++] = '-';
  char digits[20];
  int count = 0;
  do {
    digits[count++] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) out[length++] = digits[--count];
  return length;
}

int appendSeconds(char* out, int length, double seconds) {
  if (seconds < 0.0) {
    out[length++] = '-';
    seconds = -seconds;
  }
  const long long micro = std::llround(seconds * 1e6);
  length = appendNumber(out, length, micro / 1000000);
  out[length++] = '.';
  long long fraction = micro % 1000000;
  for (int place = 5; place >= 0; --place) {
    out[length + place] = char('0' + fraction % 10);
    fraction /= 10;
  }
  return length + 6;
}

int appendRating(char* out, int length, int tenths) {
  length = appendNumber(out, length, tenths / 10);
  out[length++] = '.';
  out[length++] = char('0' + tenths % 10);
  return length;
}

int appendUnfinishedRating(char* out, int length, int tenths) {
  return appendRating(out, appendText(out, length, ">="), tenths);
}

int appendRatingFields(char* out, int length, int tenths, Technique hardest, int hardestLevel) {
  const int start = length;
  length = appendRating(out, length, tenths);
  out[length++] = ' ';
  // Every step rates 1.0 or more: 0.0 took none, the grid was full.
  if (tenths == 0) {
    length = appendText(out, length, "Solved");
    out[length] = '\0';
    return length;
  }
  writeTechniqueName(hardest, hardestLevel, out + length, kRatingFieldsSize - (length - start));
  return length + int(std::strlen(out + length));
}

int appendReachedRating(char* out, int length, int tenths) {
  length = appendUnfinishedRating(out, length, tenths);
  length = appendText(out, length, " Unfinished");
  out[length] = '\0';
  return length;
}
