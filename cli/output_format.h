// The output line of --format: the fields of the grader's batch tool, so
// that the scripts written for its lines read vantric-solve's.
#pragma once

#include <string>

#include "cli/puzzle_line.h"
#include "logic/rating.h"

// What a formatted line can show of one puzzle.
struct FormatValues {
  const GridText* puzzle;
  // The solution found, null when none was.
  const int* solution;
  // 0, 1 or 2 (two or more); -1 when they were not counted.
  int solutions;
  long long lineNumber;
  // The rating, null when the puzzle was not rated; unrated then says why:
  // "Invalid", "NoSolution" and so on.
  const RatingResult* rating;
  const char* unrated;
  double ratingSeconds;
  // The canonical form's 81 characters, for %m.
  const char* form;
};

// Room for the longest field, "%s" or "%g".
constexpr int kFormatFieldSize = 96;

// True when every '%' of format starts a field it knows; otherwise false,
// with the first that does not ("%x", or "%" at the end) in unknown.
bool checkFormat(const char* format, char unknown[3]);
// Whether format shows a rating, and so the puzzle must be rated; and the
// number of solutions.
bool formatRates(const char* format);
bool formatCounts(const char* format);
// Whether format shows the canonical form.
bool formatShowsForm(const char* format);
// Appends the line format makes of values, and its line end.
void appendFormattedLine(std::string& out, const char* format, const FormatValues& values);
