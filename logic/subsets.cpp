#include "logic/producers.h"

bool findNakedPair(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findHiddenPair(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNakedTriplet(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findHiddenTriplet(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findNakedQuad(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findHiddenQuad(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
