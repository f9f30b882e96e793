// The six puzzles the program can open with, and the pick of one at start.
#include "model/builtin_puzzles.h"

#include <cstdlib>

#include "model/cell_characters.h"
#include "state/game_state.h"
#include "state/platform.h"

const char* const kBuiltInPuzzles[kBuiltInPuzzleCount] = {
    ".7...9..2.2.7....9.8..4.63..6...52...1..7..9...2.61.8..96.8..7.8....7.2.1..9...6.",
    ".3...48.18...7.3...6.3..9....92..7...7.6.9.3...6.5.4....2..7.1...3.2...41.74...9.",
    "..3.1..6..762.85.3.9..6.1..48..2..5...9.476...3..8..94..2.7..1.9.41.672..1..5.4..",
    "5...1..7.2...945.88.16....99...35.647..1....363.4....53....12.61.586...7.9..2...1",
    "..18....7..5..62.....2....8.1..49..66..7....98..6...4.5....1.....64..8..9....36..",
    "..43...5......52...1..6..4..8..32..9.3.1...8.6....7.3..4..9..1...56......7...43..",
};

void loadBuiltInPuzzleAt(int index) {
  const char* text = kBuiltInPuzzles[index];
  for (CellIndex c = 0; c < kCellCount; ++c) game.givens[c] = cellCharacterValue(text[c]);
}

void loadBuiltInPuzzle() {
  std::srand(readTickCount());
  loadBuiltInPuzzleAt(std::rand() % kBuiltInPuzzleCount);
}
