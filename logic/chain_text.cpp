// The words of Nishio, multiple and dynamic forcing chains: each branch with
// its links, then what every branch proves.
#include "logic/step_text.h"
#include "logic/technique_names.h"

namespace {

constexpr const char* kLevelWords[] = {"", " (+)", " (+ forcing chains)",
                                       " (+ multiple forcing chains)",
                                       " (+ dynamic forcing chains)"};

// Branches of a chain, two read "A and B", more "A; B; C"; each node of a
// nested step's is followed by the inner chain it rests on, in brackets, so
// that the step can be checked by hand.
void appendBranches(StepText& out, const Step& step, const ChainNode* nodes, int count) {
  int branches = 1;
  for (int i = 0; i < count; ++i) branches += nodes[i].branchStart;
  for (int i = 0; i < count; ++i) {
    if (nodes[i].branchStart)
      appendText(out, branches == 2 ? " and " : "; ");
    else if (i > 0)
      appendText(out, " -> ");
    appendNode(out, nodes[i]);
    if (nodes[i].innerCount == 0) continue;
    appendText(out, " [");
    appendBranches(out, step, step.innerNodes + nodes[i].innerStart, nodes[i].innerCount);
    appendCharacter(out, ']');
  }
}

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
  appendBranches(out, step, step.nodes, step.nodeCount);
  appendCutNodes(out, step);
  appendText(out, ", so ");
  appendConclusion(out, step);
  if (step.innerChainsCut > 0) {
    appendText(out, " (");
    appendNumber(out, step.innerChainsCut);
    appendText(out,
               step.innerChainsCut == 1 ? " inner chain left out)" : " inner chains left out)");
  }
  return true;
}
