// One recorded move of the history, and how many the history holds.
#pragma once

constexpr int kMaxMoves = 1000;

struct Move {
  int cell;
  int value;
};
