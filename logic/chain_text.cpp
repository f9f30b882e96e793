#include "logic/step_text.h"

bool describeChainStep(const Step&, StepText&) {
  return false;
}
