// The pattern techniques in the notation people write them in: strong links
// as "r3c4=r3c8-r8c8=r8c6", groups as "r5c45", sets by their cells.
#include "logic/step_text.h"
#include "logic/technique_names.h"

namespace {

void appendDigits(StepText& out, int digits) {
  bool first = true;
  for (int rest = digits; rest != 0; rest &= rest - 1) {
    if (!first) appendCharacter(out, ',');
    appendNumber(out, firstDigit(rest));
    first = false;
  }
}

void appendCells(StepText& out, const std::uint8_t cells[], int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) appendCharacter(out, ' ');
    appendCell(out, cells[i]);
  }
}

// A group of cells in one row as "r5c45", in one column as "r45c5".
void appendGroup(StepText& out, const ChainNode nodes[], int count) {
  int rows = 0;
  int columns = 0;
  for (int i = 0; i < count; ++i) {
    rows |= 1 << nodes[i].cell / 9;
    columns |= 1 << nodes[i].cell % 9;
  }
  appendCharacter(out, 'r');
  for (int rest = rows; rest != 0; rest &= rest - 1) appendNumber(out, firstDigit(rest));
  appendCharacter(out, 'c');
  for (int rest = columns; rest != 0; rest &= rest - 1) appendNumber(out, firstDigit(rest));
}

// The chain of strong links: the nodes of each end in a run of one state,
// off where a link is entered and on where it is left.
void appendLinkChain(StepText& out, const Step& step) {
  int i = 0;
  while (i < step.nodeCount) {
    int end = i + 1;
    while (end < step.nodeCount && step.nodes[end].on == step.nodes[i].on) ++end;
    if (i > 0) appendCharacter(out, step.nodes[i].on ? '=' : '-');
    appendGroup(out, step.nodes + i, end - i);
    i = end;
  }
}

void describeLinks(const Step& step, StepText& out) {
  appendText(out, techniqueWords(step.technique));
  appendText(out, ": ");
  appendNumber(out, firstDigit(step.digits));
  appendText(out, " in ");
  const int links = step.linkCount;
  for (int i = 0; i < links; ++i) {
    if (i > 0) appendText(out, i + 1 == links ? " and " : ", ");
    appendHouse(out, step.houses[i]);
  }
  appendText(out, ", ");
  appendLinkChain(out, step);
}

void describeAlsWing(const Step& step, StepText& out) {
  appendText(out, techniqueWords(step.technique));
  appendText(out, ": ");
  appendCells(out, step.cells, step.alsCellCount);
  appendText(out, " (");
  appendDigits(out, step.digits);
  appendText(out, ") with ");
  appendCell(out, step.cells[step.alsCellCount]);
  appendText(out, step.doublyLinked ? ", doubly linked" : "");
}

constexpr const char* kSetWords[] = {"",     "",          "pair",     "triple",
                                     "quad", "quintuple", "sextuple", "septuple"};

// The naked or hidden set of a type 3 pattern: its digits, the cells beside
// the pattern's own and its house.
void describeSet(const Step& step, StepText& out, int patternCells) {
  if (step.patternType != 3) return;
  const int size = candidateCount(step.setDigits);
  appendText(out, step.setHidden ? ", hidden " : ", naked ");
  appendText(out, kSetWords[size < 8 ? size : 7]);
  appendCharacter(out, ' ');
  appendDigits(out, step.setDigits);
  if (step.cellCount > patternCells) {
    appendText(out, " with ");
    appendCells(out, step.cells + patternCells, step.cellCount - patternCells);
  }
  appendText(out, " in ");
  appendHouse(out, step.houses[0]);
}

// A unique loop's or a grave's type, digits and cells: the pattern's own,
// which the step may have cut short, then a type 3's set.
void describeTypedPattern(const Step& step, StepText& out) {
  appendText(out, techniqueWords(step.technique));
  appendText(out, " type ");
  appendNumber(out, step.patternType);
  appendText(out, ": ");
  appendDigits(out, step.digits);
  appendText(out, " in ");
  const int patternCells =
      step.patternCellCount < step.cellCount ? step.patternCellCount : step.cellCount;
  appendCells(out, step.cells, patternCells);
  describeSet(step, out, patternCells);
}

}  // namespace

bool describePatternStep(const Step& step, StepText& out) {
  switch (step.technique) {
    case Technique::kSkyscraper:
    case Technique::kTwoStringKite:
    case Technique::kTurbotCrane:
    case Technique::kGroupedSkyscraper:
    case Technique::kGroupedTwoStringKite:
    case Technique::kGroupedTurbotCrane:
    case Technique::kThreeSkyscrapers:
    case Technique::kThreeStringKite:
    case Technique::kThreeStrongLinks:
    case Technique::kGroupedThreeStrongLinks:
      describeLinks(step, out);
      break;
    case Technique::kWXYZWing:
    case Technique::kVWXYZWing:
      describeAlsWing(step, out);
      break;
    case Technique::kUniqueRectangle:
    case Technique::kUniqueLoop:
    case Technique::kBivalueUniversalGrave:
      describeTypedPattern(step, out);
      break;
    default:
      return false;
  }
  appendEliminations(out, step);
  return true;
}
