// The characters a puzzle text writes its cells with.
#include "model/cell_characters.h"

int cellCharacterValue(int character) {
  if (character >= '1' && character <= '9') return character - '0';
  if (character == '.' || character == '*') return 0;
  return -1;
}
