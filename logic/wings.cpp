#include "logic/producers.h"

bool findXYWing(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findXYZWing(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
