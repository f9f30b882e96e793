// The words of Nishio, multiple and dynamic forcing chains: each branch with
// its links, then what every branch proves.
#include "logic/step_text.h"
#include "logic/technique_names.h"

namespace {

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
  appendCutNodes(out, step);
  appendText(out, ", so ");
  appendConclusion(out, step);
  return true;
}
