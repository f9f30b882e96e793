// The start of every native test: a fresh game, a quiet fake and a puzzle.
#pragma once

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"
#include "tests/support/grid_text.h"

// Givens from 81 characters, the tables built (board follows the givens)
// and the position analysed; the rest of the state is left as it is.
void loadPuzzle(const char* text);
// Process defaults and a quiet fake, then loadPuzzle.
void startFresh(const char* text);

// Each test starts from process defaults and a quiet fake.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetGameState();
    resetFake();
  }
};
