#include "logic/step_text.h"

bool describeBasicStep(const Step&, StepText&) {
  return false;
}
