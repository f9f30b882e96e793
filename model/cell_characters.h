// What one character of a puzzle text stands for, for every reader of such texts.
#pragma once

// Its digit for '1'-'9', 0 (an empty cell) for '.' or '*', and -1 for a
// character that is skipped.
int cellCharacterValue(int character);
