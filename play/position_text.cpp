#include "play/position_text.h"

#include "model/cell_characters.h"

bool parsePositionText(const char* text, int cells[kCellCount]) {
  int count = 0;
  for (const char* p = text; *p != '\0' && count < kCellCount; ++p) {
    const int value = cellCharacterValue(*p);
    if (value >= 0) cells[count++] = value;
  }
  return count == kCellCount;
}

void formatPositionText(char text[kPositionTextSize]) {
  int length = 0;
  for (int c = 0; c < kCellCount; ++c) {
    const int value = game.board[c];
    text[length++] = value == 0 ? '.' : static_cast<char>('0' + value);
    if (c % 9 == 8) {
      text[length++] = '\r';
      text[length++] = '\n';
    }
  }
  text[length] = '\0';
}
