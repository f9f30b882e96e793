// The rating fields a puzzle's line may carry after the puzzle, as
// vantric-make --rate and vantric-solve --rate write them.
#pragma once

struct LineRating {
  // In tenths, as ratingTenths gives them.
  int tenths;
  // The rater stopped short and the rating is a lower bound, ">=11.1".
  bool atLeast;
};

// Reads the rating that starts text, the line after its puzzle, past any
// blanks: "7.2 ForcingChain", ">=11.1 Unfinished" or a bare "7.2"; whole
// ratings of one or two digits and one decimal. False for anything else, such
// as "- Invalid" or nothing at all.
bool readRatingFields(const char* text, int length, LineRating* rating);
