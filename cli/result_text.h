// The pieces of vantric-solve's and vantric-make's output lines, written
// without printf's format parsing.
#pragma once

#include "logic/step.h"

// Room for the rating fields: "10.0 ", the longest technique's name with
// its level's word, and a terminating zero.
constexpr int kRatingFieldsSize = 48;

// Each appends at out + length and returns the new length; out has room.
int appendText(char* out, int length, const char* text);
int appendNumber(char* out, int length, long long value);
// Six decimals, rounded to the nearest microsecond, as %.6f writes it.
int appendSeconds(char* out, int length, double seconds);
// A rating in tenths as the rating fields write it: "7.2".
int appendRating(char* out, int length, int tenths);
// A rating that did not finish, as ">=" and the rating it had reached:
// ">=11.1".
int appendUnfinishedRating(char* out, int length, int tenths);
// The two rating fields of a rating that did not finish, and a zero:
// ">=11.1 Unfinished".
int appendReachedRating(char* out, int length, int tenths);
// A rating in tenths and the technique that reached it, as both commands'
// --rate writes them: "7.2 ForcingChain", or "0.0 Solved" when no step was
// taken; out has kRatingFieldsSize characters of room, the last for a
// terminating zero it writes.
int appendRatingFields(char* out, int length, int tenths, Technique hardest, int hardestLevel);
