// A step as a line of an explanation: "r4c7=5 hidden single in box 6".
#pragma once

#include "logic/step.h"

// A line being written into a fixed buffer; what does not fit is cut, and
// the line ends in "..." to say so.
struct StepText {
  char* text;
  int size;
  int length;
  bool cut;
};
// Room for the longest step texts: a nested step with its inner chains.
constexpr int kStepTextSize = 32768;

void appendText(StepText& out, const char* text);
void appendCharacter(StepText& out, char character);
void appendNumber(StepText& out, int number);
// "r4c7"
void appendCell(StepText& out, CellIndex cell);
// "box 6", "row 2", "column 9"
void appendHouse(StepText& out, int house);
// "r4c7=5" when the step places a digit.
void appendPlacement(StepText& out, const Step& step);
// " removes 4 from r2c5 r2c6, 7 from r3c1" (nothing when it removes nothing).
void appendEliminations(StepText& out, const Step& step);
// "5.6" for a rating.
void appendRating(StepText& out, double rating);
// " -> ... (12 more nodes)" after a chain the step could not hold whole.
void appendCutNodes(StepText& out, const Step& step);
// "r1c2=5" for an on node, "r1c2<>5" for an off one.
void appendNode(StepText& out, const ChainNode& node);
// What a chain step proves: "r2c4=1", or the candidates it removes as off
// nodes, "r1c2<>5 r1c3<>5".
void appendConclusion(StepText& out, const Step& step);

// Writes the explanation line of step, without a line end; size is at
// least 4.
void formatStep(const Step& step, char* text, int size);
// The same line after the step's rating and a blank, as an explanation
// lists its steps: "1.2 r2c6=9 hidden single in box 2".
void formatRatedStep(const Step& step, char* text, int size);

// Each family of techniques words its own steps, as the table of techniques
// assigns them; false for a technique it does not word. basic_text.cpp,
// pattern_text.cpp, chain_text.cpp.
bool describeBasicStep(const Step& step, StepText& out);
bool describePatternStep(const Step& step, StepText& out);
bool describeChainStep(const Step& step, StepText& out);
// The static chains and cycles, cycle_text.cpp.
bool describeCycleStep(const Step& step, StepText& out);
