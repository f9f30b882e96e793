// The position text: nine lines of nine cells written, any 81 cells read back.
#include "play/position_text.h"

#include "model/cell_characters.h"
#include "model/tables.h"

bool parsePositionText(const char* text, int cells[kCellCount]) {
  int count = 0;
  for (const char* p = text; *p != '\0' && count < kCellCount; ++p) {
    const int value = cellCharacterValue(*p);
    if (value >= 0) cells[count++] = value;
  }
  return count == kCellCount;
}

bool parseFetchedPosition(char text[kPositionFetchSize], int cells[kCellCount]) {
  // A paste far longer than any position is cut rather than read to its end.
  text[kPositionReadLimit] = '\0';
  return parsePositionText(text, cells);
}

void formatPositionText(char text[kPositionTextSize]) {
  int length = 0;
  for (int c = 0; c < kCellCount; ++c) {
    const int value = game.board[c];
    text[length++] = value == 0 ? '.' : static_cast<char>('0' + value);
    if (columnOf(c) == 8) {
      text[length++] = '\r';
      text[length++] = '\n';
    }
  }
  text[length] = '\0';
}
