// The words of Nishio, multiple and dynamic forcing chains: each branch with
// its links, then what every branch proves.
#include "logic/step_text.h"
#include "logic/technique_names.h"

namespace {

// "r1c2=5" for an on node, "r1c2<>5" for an off one.
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
  for (CellIndex cell = 0; cell < kCellCount; ++cell) {
    for (int digits = step.eliminations[cell]; digits != 0; digits &= digits - 1) {
      appendNode(out,
                 ChainNode{std::uint8_t(cell), std::uint8_t(firstDigit(digits)), false, false});
    }
  }
}

constexpr const char* kLevelWords[] = {"", " (+)", " (+ forcing chains)",
                                       " (+ multiple forcing chains)",
                                       " (+ dynamic forcing chains)"};

}  // namespace

bool describeChainStep(const Step& step, StepText& out) {
  appendText(out, techniqueWords(step.technique));
  appendText(out, kLevelWords[step.level < 5 ? step.level : 4]);
  if (step.houseCount > 0) {
    appendText(out, ", ");
    appendNumber(out, firstDigit(step.digits));
    appendText(out, " in ");
    appendHouse(out, step.houses[0]);
  } else if (step.technique == Technique::kCellForcingChain ||
             step.technique == Technique::kDynamicCellForcingChain) {
    appendText(out, " in ");
    appendCell(out, step.cells[0]);
  }
  appendText(out, ": ");
  // Two branches read "A and B", more "A; B; C".
  int branches = 1;
  for (int i = 0; i < step.nodeCount; ++i) branches += step.nodes[i].branchStart;
  for (int i = 0; i < step.nodeCount; ++i) {
    if (step.nodes[i].branchStart)
      appendText(out, branches == 2 ? " and " : "; ");
    else if (i > 0)
      appendText(out, " -> ");
    appendNode(out, step.nodes[i]);
  }
  appendText(out, ", so ");
  appendConclusion(out, step);
  return true;
}
