#include "logic/step_text.h"
#include "logic/technique_names.h"

namespace {

// "3,7"
void appendDigits(StepText& out, int digits) {
  bool first = true;
  for (int digit = 1; digit <= 9; ++digit) {
    if (!(digits & digitBit(digit))) continue;
    if (!first) appendCharacter(out, ',');
    appendNumber(out, digit);
    first = false;
  }
}

// " r1c2 r1c5" for the step's cells from the from-th.
void appendCells(StepText& out, const Step& step, int from, int to) {
  for (int i = from; i < to && i < step.cellCount; ++i) {
    appendCharacter(out, ' ');
    appendCell(out, step.cells[i]);
  }
}

// "columns 2,5" for a fish's lines of one type, from the from-th house.
void appendLines(StepText& out, const Step& step, int from) {
  appendText(out, houseTypeOf(step.houses[from]) == kRowHouse ? "rows " : "columns ");
  for (int i = from; i < from + step.lineCount && i < step.houseCount; ++i) {
    if (i > from) appendCharacter(out, ',');
    appendNumber(out, step.houses[i] % 9 + 1);
  }
}

// "r2c7=4 " and the technique's words, for a step that places a digit.
void appendLead(StepText& out, const Step& step) {
  if (step.placedCell != kNoCell) {
    appendPlacement(out, step);
    appendCharacter(out, ' ');
  }
  appendText(out, techniqueWords(step.technique));
}

// "4 in box 1, row 2"
void appendLock(StepText& out, const Step& step) {
  appendText(out, ": ");
  appendDigits(out, step.digits);
  appendText(out, " in ");
  appendHouse(out, step.houses[0]);
  appendText(out, ", ");
  appendHouse(out, step.houses[1]);
}

// ": 3,7 in r1c2 r1c5, row 1"
void appendSet(StepText& out, const Step& step) {
  appendText(out, ": ");
  appendDigits(out, step.digits);
  appendText(out, " in");
  appendCells(out, step, 0, step.cellCount);
  appendText(out, ", ");
  appendHouse(out, step.houses[0]);
}

}  // namespace

bool describeBasicStep(const Step& step, StepText& out) {
  switch (step.technique) {
    case Technique::kHiddenSingle:
      appendLead(out, step);
      appendText(out, " in ");
      appendHouse(out, step.houses[0]);
      return true;
    case Technique::kNakedSingle:
      appendLead(out, step);
      return true;
    case Technique::kDirectPointing:
    case Technique::kDirectClaiming:
      appendLead(out, step);
      appendLock(out, step);
      appendText(out, ", the last place in ");
      appendHouse(out, step.houses[2]);
      return true;
    case Technique::kDirectHiddenPair:
    case Technique::kDirectHiddenTriplet:
      appendLead(out, step);
      appendSet(out, step);
      return true;
    case Technique::kPointing:
    case Technique::kClaiming:
      appendLead(out, step);
      appendLock(out, step);
      break;
    case Technique::kNakedPair:
    case Technique::kNakedTriplet:
    case Technique::kNakedQuad:
    case Technique::kHiddenPair:
    case Technique::kHiddenTriplet:
    case Technique::kHiddenQuad:
      appendLead(out, step);
      appendSet(out, step);
      break;
    case Technique::kXWing:
    case Technique::kSwordfish:
    case Technique::kJellyfish:
      appendLead(out, step);
      appendText(out, ": ");
      appendDigits(out, step.digits);
      appendText(out, " in ");
      appendLines(out, step, 0);
      appendText(out, ", ");
      appendLines(out, step, step.lineCount);
      break;
    case Technique::kXYWing:
    case Technique::kXYZWing:
      appendLead(out, step);
      appendText(out, ": pivot");
      appendCells(out, step, 0, 1);
      appendText(out, ", wings");
      appendCells(out, step, 1, 3);
      break;
    case Technique::kAlignedPairExclusion:
    case Technique::kAlignedTripletExclusion:
      appendLead(out, step);
      appendText(out, ":");
      appendCells(out, step, 0, step.cellCount);
      break;
    default:
      return false;
  }
  appendEliminations(out, step);
  return true;
}
