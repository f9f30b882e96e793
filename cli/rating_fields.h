// The rating a puzzle's line may carry after the puzzle, as vantric-make
// --rate and vantric-solve --rate write it and as the published lists do.
#pragma once

struct LineRating {
  // In tenths, as ratingTenths gives them.
  int tenths;
  // The rater stopped short and the rating is a lower bound, ">=11.1".
  bool atLeast;
};

// Reads the first field of text, the line after its puzzle, that is a
// rating: "7.2" of "7.2 ForcingChain", ">=11.1" of ">=11.1 Unfinished", ER
// of "ED=7.2/1.2/1.2" or "7.2/1.2/1.2", the last field of
// "ID;PUZZLE;SOLUTION;7.2"; one or two whole digits and one decimal. Fields
// end at blanks, ';' and ','. False when no field is a rating, as for
// "- Invalid" or nothing at all.
bool readRatingFields(const char* text, int length, LineRating* rating);
