#include "logic/producers.h"

bool findHiddenSingle(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findDirectPointing(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findDirectHiddenPair(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNakedSingle(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findDirectHiddenTriplet(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
