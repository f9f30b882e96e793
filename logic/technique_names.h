// The names of the techniques: one word for a result line, words for an explanation.
#pragma once

#include "logic/step.h"

// One word, e.g. "ForcingChain"; a dynamic chain above level 0 gains its
// level's word ("DynamicCellForcingChainPlus", "...Nested2" and so on).
// Writes at most size - 1 characters and a terminating zero.
void writeTechniqueName(Technique technique, int level, char* text, int size);
// A few lower-case words as the explanation's lines use them, e.g.
// "hidden single", "forcing chain".
const char* techniqueWords(Technique technique);
