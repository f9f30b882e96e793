// Fuzz target for the reader of the position box's text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "play/position_text.h"
#include "state/game_state.h"

namespace {

void checkPosition(const int cells[kCellCount]) {
  for (int c = 0; c < kCellCount; ++c) {
    if (cells[c] < 0 || cells[c] > 9) std::abort();
  }
  // What was read must survive being written and read again.
  for (int c = 0; c < kCellCount; ++c) game.board[c] = cells[c];
  char written[kPositionTextSize];
  formatPositionText(written);
  int again[kCellCount];
  if (!parsePositionText(written, again)) std::abort();
  if (std::memcmp(again, cells, sizeof again) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > static_cast<std::size_t>(kPositionFetchSize)) return 0;

  // Exactly the bytes given and a terminator, so that any read past the end
  // of the text is caught.
  std::vector<char> text(size + 1);
  if (size > 0) std::memcpy(text.data(), data, size);
  text[size] = '\0';
  int cells[kCellCount];
  if (parsePositionText(text.data(), cells)) checkPosition(cells);

  // The way the position box is read: what the box hands over, at most a
  // buffer less its terminator, read by the program's own cut.
  static char fetched[kPositionFetchSize];
  const std::size_t kept = size < sizeof fetched - 1 ? size : sizeof fetched - 1;
  if (kept > 0) std::memcpy(fetched, data, kept);
  fetched[kept] = '\0';
  if (parseFetchedPosition(fetched, cells)) checkPosition(cells);
  return 0;
}
