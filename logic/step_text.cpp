#include "logic/step_text.h"

#include <cassert>
#include <cstring>

#include "logic/techniques.h"

#include "logic/rating.h"
#include "logic/technique_names.h"

void appendText(StepText& out, const char* text) {
  while (*text != '\0') appendCharacter(out, *text++);
}

void appendCharacter(StepText& out, char character) {
  if (out.length + 1 < out.size)
    out.text[out.length++] = character;
  else
    out.cut = true;
  out.text[out.length] = '\0';
}

void appendNumber(StepText& out, int number) {
  if (number < 0) {
    appendCharacter(out, '-');
    number = -number;
  }
  char digits[12];
  int count = 0;
  do {
    digits[count++] = char('0' + number % 10);
    number /= 10;
  } while (number > 0);
  while (count > 0) appendCharacter(out, digits[--count]);
}

void appendCell(StepText& out, CellIndex cell) {
  appendCharacter(out, 'r');
  appendNumber(out, cell / 9 + 1);
  appendCharacter(out, 'c');
  appendNumber(out, cell % 9 + 1);
}

void appendHouse(StepText& out, int house) {
  constexpr const char* kTypeWords[] = {"box ", "row ", "column "};
  appendText(out, kTypeWords[house / 9]);
  appendNumber(out, house % 9 + 1);
}

void appendPlacement(StepText& out, const Step& step) {
  if (step.placedCell == kNoCell) return;
  appendCell(out, step.placedCell);
  appendCharacter(out, '=');
  appendNumber(out, step.placedDigit);
}

void appendEliminations(StepText& out, const Step& step) {
  bool first = true;
  for (int digit = 1; digit <= 9; ++digit) {
    bool any = false;
    for (CellIndex cell = 0; cell < kCellCount; ++cell) {
      if (!(step.eliminations[cell] & digitBit(digit))) continue;
      if (!any) {
        appendText(out, first ? " removes " : ", ");
        appendNumber(out, digit);
        appendText(out, " from");
        first = false;
        any = true;
      }
      appendCharacter(out, ' ');
      appendCell(out, cell);
    }
  }
}

void appendRating(StepText& out, double rating) {
  const int tenths = ratingTenths(rating);
  appendNumber(out, tenths / 10);
  appendCharacter(out, '.');
  appendNumber(out, tenths % 10);
}

void appendNode(StepText& out, const ChainNode& node) {
  appendCell(out, node.cell);
  appendText(out, node.on ? "=" : "<>");
  appendNumber(out, node.digit);
}

void appendConclusion(StepText& out, const Step& step) {
  if (step.placedCell != kNoCell) {
    appendPlacement(out, step);
    return;
  }
  bool first = true;
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    for (int digits = step.eliminations[cell]; digits != 0; digits &= digits - 1) {
      if (!first) appendCharacter(out, ' ');
      first = false;
      appendNode(
          out, ChainNode{std::uint8_t(cell), std::uint8_t(firstDigit(digits)), false, false, 0, 0});
    }
  }
}

void appendCutNodes(StepText& out, const Step& step) {
  if (step.nodesCut == 0) return;
  appendText(out, " -> ... (");
  appendNumber(out, step.nodesCut);
  appendText(out, step.nodesCut == 1 ? " more node)" : " more nodes)");
}

void formatStep(const Step& step, char* text, int size) {
  StepText out{text, size, 0, false};
  text[0] = '\0';
  [[maybe_unused]] const bool worded = techniqueRow(step.technique).describe(step, out);
  assert(worded && "each technique's row names the family that words it");
  if (out.cut) std::memcpy(text + out.length - 3, "...", 3);
}

void formatRatedStep(const Step& step, char* text, int size) {
  StepText out{text, size, 0, false};
  text[0] = '\0';
  appendRating(out, step.rating);
  appendCharacter(out, ' ');
  if (out.length < size - 1) formatStep(step, text + out.length, size - out.length);
}
