#include "logic/producers.h"

bool findAlignedPairExclusion(LogicContext&, const LogicGrid&, Step&) {
  return false;
}

bool findAlignedTripletExclusion(LogicContext&, const LogicGrid&, Step&) {
  return false;
}
