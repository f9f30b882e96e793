#include "logic/step_text.h"

bool describePatternStep(const Step&, StepText&) {
  return false;
}
