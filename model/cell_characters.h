// What one character of a puzzle text stands for, for every reader of such texts.
#pragma once

// Its digit for '1'-'9', 0 (an empty cell) for '.' or '*', and -1 for a
// character that is skipped. In the header: vantric-solve builds its byte
// table from it at compile time.
constexpr int cellCharacterValue(int character) {
  if (character >= '1' && character <= '9') return character - '0';
  if (character == '.' || character == '*') return 0;
  return -1;
}
