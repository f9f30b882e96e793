#include "logic/step_text.h"
#include "logic/technique_names.h"

namespace {

bool isCycle(Technique technique) {
  return technique == Technique::kGeneralizedXWing || technique == Technique::kXCycle ||
         technique == Technique::kYCycle || technique == Technique::kBidirectionalCycle;
}

}  // namespace

// "forcing chain: r1c2=5 -> r1c7<>5 -> ... -> r1c2<>5, so r1c2<>5"; a cycle
// ends where it began and then says what it removes.
bool describeCycleStep(const Step& step, StepText& out) {
  appendText(out, techniqueWords(step.technique));
  appendCharacter(out, ':');
  for (int i = 0; i < step.nodeCount; ++i) {
    appendText(out, i == 0 ? " " : " -> ");
    appendNode(out, step.nodes[i]);
  }
  appendCutNodes(out, step);
  if (isCycle(step.technique) || step.nodeCount == 0) {
    appendEliminations(out, step);
    return true;
  }
  // A chain ends at its start's opposite, which a cut chain did not keep.
  appendText(out, ", so ");
  if (step.nodesCut == 0) {
    appendNode(out, step.nodes[step.nodeCount - 1]);
  } else {
    appendConclusion(out, step);
  }
  return true;
}
